// The looks tests that depend on the screen's scale run on one offscreen
// screen of 1920 × 1080 logical pixels, whose device pixel ratio and logical
// dpi come from DOVANEL_TEST_SCREEN as "RATIO,DPI" (for example "1.5,96";
// "1,96" when unset).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    const QStringList screen = qEnvironmentVariable("DOVANEL_TEST_SCREEN", "1,96").split(',');
    const double ratio = screen.value(0).toDouble() > 0 ? screen.value(0).toDouble() : 1;
    const int dpi = screen.value(1).toInt() > 0 ? screen.value(1).toInt() : 96;
    QTemporaryDir dir;
    QFile config(dir.filePath("screens.json"));
    config.open(QIODevice::WriteOnly);
    config.write(QString(R"({"screens": [{"name": "scaled", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": %3, "logicalBaseDpi": 96, "dpr": %4}]})")
                     .arg(qRound(1920 * ratio))
                     .arg(qRound(1080 * ratio))
                     .arg(dpi)
                     .arg(ratio)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (dir.path() + "/run").toUtf8());
    QDir().mkpath(dir.path() + "/run");
    QFile::setPermissions(dir.path() + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
