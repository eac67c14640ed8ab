// A stand-in for a running copy of the program, for the single-instance tests:
//   single_instance_helper serve NAME    holds the lock, listens, prints "ready", exits 0 once
//                                        asked to show itself
//   single_instance_helper beside NAME   finds the lock taken, listens all the same (the user
//                                        answered Yes), prints "ready", exits 0 when its input ends
//   single_instance_helper ask NAME      finds the lock taken and asks a running copy to show
//   itself
//   single_instance_helper files NAME    holds the lock, listens, prints "ready", then prints
//                                        every file it is asked to open as "open:" and its
//                                        path, percent-encoded, and exits 0 after the second
//   single_instance_helper open NAME PATH  finds the lock taken and asks a running copy to open
//                                        PATH (exit 0 when one took it, 6 when none did)
// A third argument is the private folder to use when there is no runtime folder.
#include <unistd.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <cstdio>

#include "shell/single_instance.h"

namespace {

void SayReady() {
    std::puts("ready");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) return 2;
    const QString mode = argv[1];
    const bool fallback = argc == 4 && mode != "open";
    dovanel::SingleInstance instance(argv[2], fallback ? QString(argv[3]) : QString());
    QTimer::singleShot(10000, [] { QCoreApplication::exit(4); });
    if (mode == "serve") {
        if (!instance.TryLock() || !instance.Protected() ||
            !instance.Listen([] { QTimer::singleShot(50, [] { QCoreApplication::exit(0); }); }))
            return 3;
        SayReady();
        return app.exec();
    }
    if (mode == "beside") {
        if (instance.TryLock() || !instance.Listen([] {})) return 3;
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [] {
            char c;
            if (::read(STDIN_FILENO, &c, 1) <= 0) QCoreApplication::exit(0);
        });
        SayReady();
        return app.exec();
    }
    if (mode == "files") {
        int opened = 0;
        const bool listening =
            instance.TryLock() &&
            instance.Listen([] {},
                            [&opened](const QString& path) {
                                std::printf("open:%s\n",
                                            path.toUtf8().toPercentEncoding().constData());
                                std::fflush(stdout);
                                if (++opened == 2) QCoreApplication::exit(0);
                            });
        if (!listening) return 3;
        SayReady();
        return app.exec();
    }
    if (mode == "open") {
        if (argc != 4 || instance.TryLock()) return 5;
        return instance.AskRunningCopyToOpen(QString::fromUtf8(argv[3])) ? 0 : 6;
    }
    if (mode == "ask") {
        if (instance.TryLock()) return 5;  // nobody was running
        return instance.ActivateRunningCopy() ? 0 : 6;
    }
    return 2;
}
