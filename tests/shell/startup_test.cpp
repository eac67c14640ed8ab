#include "shell/startup.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "data/scenario_file.h"
#include "shell/app_context.h"
#include "tests/ui/ui_fixture.h"

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
    EXPECT_EQ(InstalledFiles().size(), 12);
    EXPECT_EQ(InstalledFiles().last(), "DV.INI");
    EXPECT_FALSE(IsFirstRun(to, from)) << "the second start is no first run";
}

// What the first run installs is exactly what the source tree ships.
TEST(FirstRun, InstallsEveryShippedDataFile) {
    QStringList shipped = QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files);
    QStringList installed = InstalledFiles();
    shipped.sort();
    installed.sort();
    EXPECT_EQ(installed, shipped);
    EXPECT_TRUE(installed.contains("GOVLOANS.DAT"));
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

namespace dovanel {
namespace {

// Start-up's data folder step with the messages it shows.
class DataFolderStart : public ::testing::Test {
  protected:
    DataFolderStart() : scope_(platform) {
        saved_ = App();
        App().programFolder = program.path() + "/";
        for (const QString& name : InstalledFiles()) Touch(App().programFolder + name, "x\r\n");
    }
    ~DataFolderStart() override { App() = saved_; }

    QString Location() const { return home.path() + "/share"; }
    QString Folder() const { return Location() + "/Dovanel/"; }

    test::ScriptedPlatform platform;
    QTemporaryDir program, home;

  private:
    ScopedPlatform scope_;
    AppContext saved_;
};

TEST_F(DataFolderStart, FirstRunInstallsIntoAPrivateFolder) {
    ASSERT_TRUE(SetUpDataFolder(App(), Location(), true));
    EXPECT_EQ(App().dataFolder, Folder());
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "INITIALIZING");
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files).size(), InstalledFiles().size());
    EXPECT_EQ(QFile::permissions(Folder()) & 0x0077, 0) << "nobody else may look in";
    EXPECT_EQ(QFile::permissions(Folder() + "DEBT.DAT"),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
}

TEST_F(DataFolderStart, AFileInTheDataFoldersPlaceIsNamedAndEndsTheStart) {
    QDir().mkpath(Location());
    Touch(Location() + "/Dovanel", "not a folder");
    EXPECT_FALSE(SetUpDataFolder(App(), Location(), true));
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "Dovanel");
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(platform.asked[0].text.contains(Location() + "/Dovanel\r"))
        << platform.asked[0].text.toStdString();
    EXPECT_TRUE(platform.asked[0].text.contains("file")) << platform.asked[0].text.toStdString();
}

TEST_F(DataFolderStart, AFailedFirstRunInstallsNothingAndSaysWhy) {
    QFile::remove(App().programFolder + "PMI.DAT");
    QDir().mkdir(App().programFolder + "PMI.DAT");
    EXPECT_FALSE(SetUpDataFolder(App(), Location(), true));
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[1].title, "Dovanel");
    EXPECT_EQ(platform.asked[1].text, "The data files could not be put in\r\r" + Folder() + "\r\r" +
                                          App().programFolder + "PMI.DAT: Is a directory");
    EXPECT_TRUE(QDir(Folder()).isEmpty()) << "the next start tries again";
    EXPECT_EQ(QDir(Location()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"Dovanel"});
}

TEST_F(DataFolderStart, LeftoversOfACrashGoWhenNoOtherCopyRuns) {
    QDir().mkpath(Folder());
    Touch(Folder() + "MAIN.DAT");
    const QString leftover = Folder() + ".MAIN.DAT.dovanel-save-k1k1k1";
    QFile file(leftover);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    file.close();
    ASSERT_TRUE(SetUpDataFolder(App(), Location(), false));
    EXPECT_TRUE(QFile::exists(leftover)) << "another copy runs and may be saving";
    ASSERT_TRUE(SetUpDataFolder(App(), Location(), true));
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(platform.asked.empty());
}

// A folder that holds the user's settings but no data file yet is a first run,
// and the settings stay the user's.
TEST_F(DataFolderStart, FirstRunKeepsASettingsFileThatIsThere) {
    QDir().mkpath(Folder());
    const QByteArray mine = "[General]\r\nShow Quick Start Information=NO\r\n[Mine]\r\nKept=1\r\n";
    Touch(Folder() + "DV.INI", mine);
    ASSERT_TRUE(SetUpDataFolder(App(), Location(), true));
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].title, "INITIALIZING");
    QFile settings(Folder() + "DV.INI");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), mine);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files).size(), InstalledFiles().size())
        << "every data file was installed beside it";
}

// The program itself, with a FIFO or a link to an endless device where its
// settings file belongs, starts as usual: neither is read (one would hang the
// start, the other fill memory), and both stay as they are.
TEST(StartupWithOddSettings, TheMainWindowIsReachedAndTheSettingsPlaceKept) {
    for (const char* kind : {"fifo", "endless device"}) {
        QTemporaryDir home;
        const QString data = home.path() + "/data/Dovanel/", run = home.path() + "/run";
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(run));
        QFile::setPermissions(
            run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const QString& name : QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files))
            QFile::copy(QString(DOVANEL_INSTALLED_DATA) + name, data + name);
        const QByteArray settings = QFile::encodeName(data + "DV.INI");
        QFile::remove(data + "DV.INI");
        if (QString(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(settings.constData(), 0600), 0);
        } else {
            // The test's own device where it may make one, so that nothing
            // outside its folder could be touched.
            QByteArray zero = QFile::encodeName(home.path() + "/zero");
            if (::mknod(zero.constData(), S_IFCHR | 0666, makedev(1, 5)) != 0) zero = "/dev/zero";
            ASSERT_EQ(::symlink(zero.constData(), settings.constData()), 0);
        }
        struct stat before {};
        ASSERT_EQ(::lstat(settings.constData(), &before), 0);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", run);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(DOVANEL_PROGRAM, {"--startup-check"});
        const bool ended = program.waitForFinished(30000);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        EXPECT_TRUE(ended) << kind << ": the start never reached the main window";
        EXPECT_EQ(program.exitCode(), 0) << kind << "\n"
                                         << program.readAllStandardOutput().toStdString()
                                         << program.readAllStandardError().toStdString();
        struct stat after {};
        ASSERT_EQ(::lstat(settings.constData(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT) << kind;
    }
}

// The program with a scenario file on its command line: a file it cannot read
// is told and the default loan opens; with a copy already running, the later
// copy hands the file over and ends at once, and the running copy opens it
// (it then lists it first among the recent files).
class ProgramWithFile : public ::testing::Test {
  protected:
    ProgramWithFile() {
        QDir().mkpath(data);
        QDir().mkpath(run);
        QFile::setPermissions(
            run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const QString& name : QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files))
            QFile::copy(QString(DOVANEL_INSTALLED_DATA) + name, data + name);
        Touch(data + "DV.INI", "[General]\r\nShow Quick Start Information=NO\r\n");
    }
    void Start(QProcess& program, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", run);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(DOVANEL_PROGRAM, arguments);
    }
    QByteArray Settings() {
        QFile settings(data + "DV.INI");
        return settings.open(QIODevice::ReadOnly) ? settings.readAll() : QByteArray();
    }

    QTemporaryDir home;
    const QString data = home.path() + "/data/Dovanel/", run = home.path() + "/run";
};

TEST_F(ProgramWithFile, AFileThatCannotBeReadIsToldAndTheDefaultLoanOpens) {
    const QString missing = home.path() + "/missing.dovanel";
    QProcess program;
    Start(program, {"--startup-check", missing});
    ASSERT_TRUE(program.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    EXPECT_EQ(program.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("The scenario could not be opened")) << out.toStdString();
    EXPECT_TRUE(out.contains(missing)) << out.toStdString();
    EXPECT_FALSE(Settings().contains("missing.dovanel")) << "not listed among the recent files";
}

TEST_F(ProgramWithFile, ALaterCopyHandsItsFileToTheRunningCopy) {
    const QString file = home.path() + "/Smith.dovanel";
    Touch(file, QByteArray::fromStdString(ScenarioFileText(Scenario{})));
    QProcess first;
    Start(first, {});
    QDeadlineTimer started(20000);
    while (QDir(run).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty() &&
           !started.hasExpired())
        QThread::msleep(50);
    QThread::msleep(500);  // until it listens
    QProcess later;
    Start(later, {file});
    ASSERT_TRUE(later.waitForFinished(15000));
    EXPECT_EQ(later.exitCode(), 0);
    EXPECT_TRUE(later.readAllStandardOutput().isEmpty());
    QDeadlineTimer opened(15000);
    while (!Settings().contains("Smith.dovanel") && !opened.hasExpired()) QThread::msleep(50);
    EXPECT_TRUE(Settings().contains("File1=" + file.toUtf8())) << Settings().toStdString();
    first.kill();
    first.waitForFinished(5000);
}

}  // namespace
}  // namespace dovanel
