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

TEST(ReadOrdinaryFile, OnlyOrdinaryFilesOfModestSizeAreRead) {
    test::TempFolder dir;
    test::Spit(dir.File("plain"), "[General]\r\n");
    fs::create_symlink(dir.File("plain"), dir.File("link"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    fs::create_symlink(EndlessDevice(dir), dir.File("zero-link"));
    fs::create_directory(dir.File("folder"));
    test::Spit(dir.File("big"), std::string(5000, 'x'));
    fs::create_symlink(dir.File("nothing"), dir.File("dangling"));
    const struct {
        const char* name;
        ReadResult::Status status;
        const char* text;
        const char* reason;
    } cases[] = {
        {"plain", ReadResult::Status::Read, "[General]\r\n", ""},
        {"link", ReadResult::Status::Read, "[General]\r\n", ""},
        {"missing", ReadResult::Status::Missing, "", "No such file or directory"},
        {"dangling", ReadResult::Status::Missing, "", "No such file or directory"},
        {"fifo", ReadResult::Status::Refused, "", "Not an ordinary file"},
        {"zero-link", ReadResult::Status::Refused, "", "Not an ordinary file"},
        {"folder", ReadResult::Status::Refused, "", "Not an ordinary file"},
        {"big", ReadResult::Status::Refused, "", "File too large"},
    };
    for (const auto& c : cases) {
        std::string text = "old";
        const ReadResult read = ReadOrdinaryFile(dir.File(c.name), text, 4096);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.ok(), c.status == ReadResult::Status::Read) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_NE(read.reason.find(c.reason), std::string::npos) << c.name << ": " << read.reason;
    }
}

}  // namespace
}  // namespace dovanel
