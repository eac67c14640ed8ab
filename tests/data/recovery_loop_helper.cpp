// Keeps a recovery copy of a scenario file's document, saves the scenario
// file with Save As and the default loan's MAIN.DAT, over and over, switching
// between two versions, until it is killed. Writes a dot to its output as it
// starts and after each round.
#include <unistd.h>

#include <cstdio>

#include "data/recovery_folder.h"
#include "tests/data/recovery_kill_files.h"

int main(int argc, char* argv[]) {
    using namespace dovanel;
    if (argc != 3) {
        std::fprintf(stderr, "usage: recovery_loop_helper DATA_FOLDER/ USER_FOLDER/\n");
        return 2;
    }
    const std::string data = argv[1], user = argv[2];
    if (::write(STDOUT_FILENO, ".", 1) != 1) return 1;
    RecoveryFolder folder(data);
    const std::string copy = folder.NewCopyPath();
    for (unsigned round = 0;; ++round) {
        const int version = round % 2;
        const WriteResult results[] = {
            folder.Write(copy, test::KillTestCopy(version, user)),
            WriteNamedFile(user + test::kClientFile, test::KillTestScenarioText(version)),
            SaveDataFile(DataFile::Main, test::KillTestModel(version), data)};
        for (const WriteResult& result : results) {
            if (result) continue;
            std::fprintf(stderr, "%s\n", result.reason.c_str());
            return 1;
        }
        if (::write(STDOUT_FILENO, ".", 1) != 1) return 1;
    }
}
