#include "shell/startup.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace dovanel {
namespace {

void Touch(const QString& path, const QByteArray& text = "x") {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST(FirstRun, EmptyDataFolderGetsEveryFileInOrder) {
    QTemporaryDir program, data;
    const QString from = program.path() + "/", to = data.path() + "/";
    for (const QString& name : InstalledFiles()) Touch(from + name, name.toUtf8());
    ASSERT_TRUE(IsFirstRun(to, from));
    EXPECT_EQ(FirstRunMessage(to),
              "Since this appears to be the first time the program has been run, some data files "
              "will be put in\r\r" +
                  to + "\r\rENJOY THE PROGRAM!");
    InstallDataFiles(from, to);
    for (const QString& name : InstalledFiles()) {
        QFile f(to + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(f.readAll(), name.toUtf8());
    }
    EXPECT_EQ(InstalledFiles().size(), 11);
    EXPECT_EQ(InstalledFiles().last(), "DV.INI");
    EXPECT_FALSE(IsFirstRun(to, from)) << "the second start is no first run";
}

TEST(FirstRun, APartialDataFolderIsNotAFirstRun) {
    QTemporaryDir program, data;
    Touch(program.path() + "/MAIN.DAT");
    Touch(data.path() + "/debt.dat");
    EXPECT_FALSE(IsFirstRun(data.path() + "/", program.path() + "/"));
}

TEST(FirstRun, NothingToInstallIsNoFirstRun) {
    QTemporaryDir program, data;
    EXPECT_FALSE(IsFirstRun(data.path() + "/", program.path() + "/"));
}

TEST(FirstRun, AFileMissingBesideTheProgramIsSkipped) {
    QTemporaryDir program, data;
    Touch(program.path() + "/MAIN.DAT", "main");
    InstallDataFiles(program.path() + "/", data.path() + "/");
    EXPECT_TRUE(QFile::exists(data.path() + "/MAIN.DAT"));
    EXPECT_FALSE(QFile::exists(data.path() + "/PMI.DAT"));
}

TEST(Folders, ProgramFolderBesideTheProgramOrInstalled) {
    QTemporaryDir prefix;
    const QString bin = prefix.path() + "/bin", share = prefix.path() + "/share/dovanel";
    QDir().mkpath(bin);
    QDir().mkpath(share);
    EXPECT_EQ(FindProgramFolder(bin), bin + "/") << "nothing anywhere: beside the program";
    Touch(share + "/MAIN.DAT");
    EXPECT_EQ(FindProgramFolder(bin), share + "/");
    Touch(bin + "/MAIN.DAT");
    EXPECT_EQ(FindProgramFolder(bin), bin + "/");
}

TEST(Folders, DataFolderIsCreated) {
    QTemporaryDir home;
    const QString folder = MakeDataFolder(home.path() + "/share", "Dovanel");
    EXPECT_EQ(folder, home.path() + "/share/Dovanel/");
    EXPECT_TRUE(QDir(folder).exists());
}

TEST(SingleInstance, SecondCopyBringsTheFirstToTheFront) {
    EXPECT_EQ(AlreadyRunningMessage("Dovanel"),
              "\"Dovanel\" is already running, launch another instance of it now?");
    const QString name = "dovanel-test-" + QString::number(QCoreApplication::applicationPid());
    QProcess first;
    first.start(SINGLE_INSTANCE_HELPER, {"serve", name});
    ASSERT_TRUE(first.waitForReadyRead(5000));
    ASSERT_EQ(first.readLine().trimmed(), "ready");
    QProcess second;
    second.start(SINGLE_INSTANCE_HELPER, {"ask", name});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0) << "the second copy found the first and was answered";
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitCode(), 0) << "the first copy was asked to show itself";

    QProcess alone;
    alone.start(SINGLE_INSTANCE_HELPER, {"ask", name});
    ASSERT_TRUE(alone.waitForFinished(5000));
    EXPECT_EQ(alone.exitCode(), 5) << "with the first copy gone, the lock is free again";
}

}  // namespace
}  // namespace dovanel
