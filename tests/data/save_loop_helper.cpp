// Saves every data file over and over, switching between two versions, until
// it is killed. Writes a dot to its output as it starts and after each round.
#include <unistd.h>

#include <cstdio>

#include "tests/data/save_kill_files.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop_helper FOLDER/\n");
        return 2;
    }
    const std::string folder = argv[1];
    const auto files = dovanel::test::KillTestFiles();
    if (::write(STDOUT_FILENO, ".", 1) != 1) return 1;
    for (unsigned round = 0;; ++round) {
        const int version = round % 2;
        for (const auto& file : files) {
            const auto result =
                file.settings
                    ? dovanel::WriteFileAtomically(folder + file.name, file.versions[version])
                    : dovanel::SaveDataFile(file.file, dovanel::test::KillTestModel(version),
                                            folder);
            if (!result) {
                std::fprintf(stderr, "%s: %s\n", file.name.c_str(), result.reason.c_str());
                return 1;
            }
        }
        if (::write(STDOUT_FILENO, ".", 1) != 1) return 1;
    }
}
