#pragma once
// Runs part of a test in a child process: as an ordinary user when the tests
// run as root (who may write anywhere), or on a tiny file system of its own
// that soon runs full. The child reports back a text: empty when all went
// well, "skip: why" when the machine cannot do what the test needs.

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace dovanel::test {

// The user tests running as root become in the child.
constexpr uid_t kOrdinaryUser = 65534;

// Makes a file or folder the child's own when it will run as the ordinary user.
inline void GiveToChild(const std::string& path) {
    if (::geteuid() == 0) (void)!::chown(path.c_str(), kOrdinaryUser, kOrdinaryUser);
}

enum class ChildSetUp { OrdinaryUser, SmallDisk };

inline std::string EnterChild(ChildSetUp setUp, const std::string& mountPoint,
                              std::size_t diskBytes) {
    if (setUp == ChildSetUp::OrdinaryUser) {
        if (::geteuid() == 0 && (::setgid(kOrdinaryUser) != 0 || ::setuid(kOrdinaryUser) != 0))
            return "skip: cannot become an ordinary user";
        return {};
    }
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        return "skip: no mount namespace of our own";
    const std::string size = "size=" + std::to_string(diskBytes);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, size.c_str()) != 0)
        return "skip: cannot mount a small file system";
    return {};
}

// Runs `check` in a child set up as asked; returns its report.
inline std::string InChild(ChildSetUp setUp, const std::function<std::string()>& check,
                           const std::string& mountPoint = {}, std::size_t diskBytes = 0) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        std::string report = EnterChild(setUp, mountPoint, diskBytes);
        if (report.empty()) report = check();
        (void)!::write(pipeEnds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status)) return "the child ended abnormally";
    return report;
}

}  // namespace dovanel::test

// Fails the test with the child's report, or skips it when the child could not set up.
#define EXPECT_CHILD_OK(report)                                                \
    do {                                                                       \
        const std::string child_report = (report);                             \
        if (child_report.rfind("skip:", 0) == 0) GTEST_SKIP() << child_report; \
        EXPECT_EQ(child_report, "");                                           \
    } while (false)
