// Preloaded into save_loop_helper by the kill test: the process kills itself
// with SIGKILL just before its Nth file operation (DOVANEL_KILL_AT), so that
// kills land between any two steps of a save, not only where time falls.
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Step() {
    static long left = [] {
        const char* at = std::getenv("DOVANEL_KILL_AT");
        return at ? std::atol(at) : 0L;
    }();
    if (left > 0 && --left == 0) ::raise(SIGKILL);
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    Step();
    static const auto next = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    return next(fd, buffer, size, offset);
}

int fsync(int fd) {
    Step();
    static const auto next = Next<int (*)(int)>("fsync");
    return next(fd);
}

int fchmod(int fd, mode_t mode) {
    Step();
    static const auto next = Next<int (*)(int, mode_t)>("fchmod");
    return next(fd, mode);
}

int ftruncate(int fd, off_t length) {
    Step();
    static const auto next = Next<int (*)(int, off_t)>("ftruncate");
    return next(fd, length);
}

int rename(const char* from, const char* to) {
    Step();
    static const auto next = Next<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

int close(int fd) {
    Step();
    static const auto next = Next<int (*)(int)>("close");
    return next(fd);
}

}  // extern "C"
