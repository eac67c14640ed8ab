// A stand-in for a running copy of the program, for the single-instance test:
//   single_instance_helper serve NAME   holds the lock, prints "ready", exits 0 once asked to show
//   itself single_instance_helper ask NAME     finds the lock taken and asks the running copy to
//   show itself
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "shell/startup.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    dovanel::SingleInstance instance(argv[2]);
    const QString mode = argv[1];
    if (mode == "serve") {
        if (!instance.TryLock() ||
            !instance.Listen([] { QTimer::singleShot(50, [] { QCoreApplication::exit(0); }); }))
            return 3;
        std::puts("ready");
        std::fflush(stdout);
        QTimer::singleShot(10000, [] { QCoreApplication::exit(4); });
        return app.exec();
    }
    if (mode == "ask") {
        if (instance.TryLock()) return 5;  // nobody was running
        return instance.ActivateRunningCopy() ? 0 : 6;
    }
    return 2;
}
