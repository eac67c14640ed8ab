// Reading a file that ought to be an ordinary one: anything else in its place,
// or a file far too big, is refused at once instead of hanging or filling memory.
#include "data/file_read.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

#include "tests/data/temp_folder.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;

// A character device that never ends (as /dev/zero): made in the test's own
// folder where the test may (as root), so nothing outside it can be touched.
std::string EndlessDevice(const test::TempFolder& dir) {
    const std::string node = dir.File("zero");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0) return node;
    return "/dev/zero";
}

TEST(ReadRegularFile, OnlyOrdinaryFilesOfModestSizeAreRead) {
    test::TempFolder dir;
    test::Spit(dir.File("plain"), "[General]\r\n");
    fs::create_symlink(dir.File("plain"), dir.File("link"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    fs::create_symlink(EndlessDevice(dir), dir.File("zero-link"));
    fs::create_directory(dir.File("folder"));
    test::Spit(dir.File("big"), std::string(5000, 'x'));
    fs::create_symlink(dir.File("nothing"), dir.File("dangling"));
    enum class Outcome { Read, Missing, Refused };
    const struct {
        const char* name;
        Outcome outcome;
        const char* text;
        const char* reason;
    } cases[] = {
        {"plain", Outcome::Read, "[General]\r\n", ""},
        {"link", Outcome::Read, "[General]\r\n", ""},
        {"missing", Outcome::Missing, "old", "No such file or directory"},
        {"dangling", Outcome::Missing, "old", "No such file or directory"},
        {"fifo", Outcome::Refused, "old", "not a file"},
        {"zero-link", Outcome::Refused, "old", "device, not a file"},
        {"folder", Outcome::Refused, "old", "folder, not a file"},
        {"big", Outcome::Refused, "old", "larger than 4096 bytes"},
    };
    for (const auto& c : cases) {
        std::string text = "old";
        const FileReadResult read = ReadRegularFile(dir.File(c.name), 4096, text);
        EXPECT_EQ(bool(read), c.outcome == Outcome::Read) << c.name;
        EXPECT_EQ(read.missing, c.outcome == Outcome::Missing) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_NE(read.reason.find(c.reason), std::string::npos) << c.name << ": " << read.reason;
    }
}

}  // namespace
}  // namespace dovanel
