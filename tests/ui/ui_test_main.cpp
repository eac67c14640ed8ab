// The GUI tests run offscreen in one QApplication, with the user's data and
// runtime folders pointed at temporary ones.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "tests/ui/document_of.h"
#include "ui/help/help_viewer.h"

namespace {
// The offscreen platform's notes about what it cannot do are noise here.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("does not support propagateSizeHints")) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/run").toUtf8());
    QDir().mkpath(home.path() + "/run");
    QFile::setPermissions(home.path() + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QApplication app(argc, argv);
    dovanel::InstallHelpViewer();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new dovanel::test::ForgetDocuments);
    return RUN_ALL_TESTS();
}
