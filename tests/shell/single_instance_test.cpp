// One copy per user: the lock, one socket per running copy in the user's
// private runtime folder, and what happens when any of it cannot be had.
#include "shell/single_instance.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace dovanel {
namespace {

QString UniqueName(const char* what) {
    static int count = 0;
    return QString("dovanel-test-%1-%2-%3")
        .arg(what)
        .arg(QCoreApplication::applicationPid())
        .arg(++count);
}

// A helper copy started in one of its modes, waited for until it is ready.
std::unique_ptr<QProcess> StartCopy(const QString& mode, const QString& name,
                                    const QStringList& more = {}) {
    auto copy = std::make_unique<QProcess>();
    copy->start(SINGLE_INSTANCE_HELPER, QStringList{mode, name} + more);
    EXPECT_TRUE(copy->waitForReadyRead(5000)) << mode.toStdString();
    EXPECT_EQ(copy->readLine().trimmed(), "ready") << mode.toStdString();
    return copy;
}

int Ask(const QString& name, const QStringList& more = {}) {
    QProcess asker;
    asker.start(SINGLE_INSTANCE_HELPER, QStringList{"ask", name} + more);
    EXPECT_TRUE(asker.waitForFinished(8000));
    return asker.exitCode();
}

QStringList Sockets(const QString& folder) {
    return QDir(folder).entryList({"*.socket"}, QDir::System);
}

TEST(SingleInstance, ThirdCopyStillReachesTheFirstAfterASecondOneEnded) {
    const QString name = UniqueName("three");
    const QString folder = SingleInstance(name).Folder();
    ASSERT_TRUE(
        folder.startsWith(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)));
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << "nobody else may enter the folder";

    auto first = StartCopy("serve", name);
    auto second = StartCopy("beside", name);
    EXPECT_EQ(Sockets(folder).size(), 2) << "every copy listens on a socket of its own";
    second->closeWriteChannel();
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(Sockets(folder), QStringList{QString::number(first->processId()) + ".socket"})
        << "the second copy took only its own socket away";

    EXPECT_EQ(Ask(name), 0) << "the third copy found the first and was answered";
    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(first->exitCode(), 0) << "the first copy was asked to show itself";
    EXPECT_TRUE(Sockets(folder).isEmpty());
    EXPECT_EQ(Ask(name), 5) << "with every copy gone, the lock is free again";
}

TEST(SingleInstance, ASecondCopyIsReachedWhenTheLockHolderDoesNotAnswer) {
    const QString name = UniqueName("holder-gone");
    SingleInstance holder(name);  // holds the lock but never listens
    ASSERT_TRUE(holder.TryLock());
    ASSERT_TRUE(holder.Protected());
    auto second = StartCopy("beside", name);
    EXPECT_EQ(Ask(name), 0);
    second->closeWriteChannel();
    second->waitForFinished(5000);
}

// The request may reach the running copy in pieces; it is answered all the same.
TEST(SingleInstance, ARequestArrivingInPiecesIsAnswered) {
    const QString name = UniqueName("pieces");
    SingleInstance running(name);
    int activations = 0;
    ASSERT_TRUE(running.Listen([&] { ++activations; }));
    QLocalSocket asker;
    asker.connectToServer(running.Folder() + QString::number(QCoreApplication::applicationPid()) +
                          ".socket");
    ASSERT_TRUE(asker.waitForConnected(2000));
    auto settle = [&] {
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    for (const char* piece : {"acti", "vate", "\n"}) {
        asker.write(piece);
        asker.flush();
        settle();
    }
    QDeadlineTimer deadline(5000);
    while (!asker.canReadLine() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(asker.readLine(), "ok\n");
}

TEST(SingleInstance, NoLockPossibleMeansRunningUnprotected) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString blocked = UniqueName("blocked");
    {
        QFile file(runtime + "/" + blocked);  // a file where the folder belongs
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    SingleInstance instance(blocked);
    EXPECT_TRUE(instance.TryLock()) << "not taken for another running copy";
    EXPECT_FALSE(instance.Protected());
    EXPECT_FALSE(instance.Listen([] {}));
    EXPECT_FALSE(instance.ActivateRunningCopy(100));
    QFile::remove(runtime + "/" + blocked);

    if (::geteuid() == 0) return;  // root writes into a read-only folder all the same
    const QString readOnly = UniqueName("read-only");
    SingleInstance other(readOnly);
    const QString folder = other.Folder();
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_TRUE(other.TryLock());
    EXPECT_FALSE(other.Protected());
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir(folder).removeRecursively();
}

// Needs the right to give files away, so only where the tests run as root.
TEST(SingleInstance, StrangersSocketsAndFoldersAreNotTrusted) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a stranger's files";
    const uid_t stranger = 54321;
    const QString name = UniqueName("stranger");
    SingleInstance asker(name);
    const QString folder = asker.Folder();
    QLocalServer impostor;
    ASSERT_TRUE(impostor.listen(folder + "4242.socket"));
    ASSERT_EQ(::chown(QFile::encodeName(folder + "4242.socket").constData(), stranger, stranger),
              0);
    EXPECT_FALSE(asker.ActivateRunningCopy(200));
    EXPECT_FALSE(impostor.hasPendingConnections()) << "a stranger's socket is never dialled";
    impostor.close();

    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), stranger, stranger), 0);
    EXPECT_TRUE(asker.Folder().isEmpty()) << "a folder somebody else owns is not used";
    EXPECT_TRUE(asker.TryLock());
    EXPECT_FALSE(asker.Protected());
    QDir(folder).removeRecursively();
}

// Sets environment variables (none: unset) for the life of the object.
class EnvironmentChange {
  public:
    EnvironmentChange(const char* name, const std::optional<QString>& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) old_ = qEnvironmentVariable(name);
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~EnvironmentChange() {
        if (old_)
            qputenv(name_, old_->toLocal8Bit());
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<QString> old_;
};

// Without XDG_RUNTIME_DIR the system's fallback runtime folder lies in the
// shared temporary folder, where another user can make it first. The lock and
// the sockets then live in the private folder given for that case (the
// program's lies inside its data folder), and the protection stays on.
TEST(SingleInstance, WithoutARuntimeFolderAPrivateFolderKeepsTheProtection) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a stranger's folder";
    const uid_t stranger = 54321;
    QTemporaryDir tmp, data;
    EnvironmentChange noRuntime("XDG_RUNTIME_DIR", std::nullopt);
    EnvironmentChange sharedTmp("TMPDIR", tmp.path());
    const struct passwd* me = ::getpwuid(::geteuid());
    ASSERT_TRUE(me);
    const QByteArray shared = QFile::encodeName(tmp.path() + "/runtime-" + me->pw_name);
    ASSERT_EQ(::mkdir(shared.constData(), 0700), 0);
    ASSERT_EQ(::chown(shared.constData(), stranger, stranger), 0);  // another user was first

    const QString name = UniqueName("no-runtime");
    const QString fallback = data.path() + "/.single-instance/";
    SingleInstance first(name, fallback);
    ASSERT_TRUE(first.TryLock());
    EXPECT_TRUE(first.Protected()) << "the protection stays on";
    EXPECT_EQ(first.Folder(), fallback);
    EXPECT_EQ(QFileInfo(fallback).permissions() & 0x0077, 0) << "nobody else may enter";
    EXPECT_EQ(QFileInfo(fallback).ownerId(), ::geteuid());
    EXPECT_EQ(Ask(name, {fallback}), 6) << "a second copy finds the lock taken";

    // Another copy running the same way is found and brought to the front.
    const QString other = UniqueName("no-runtime-copy"), otherFallback = data.path() + "/other/";
    auto running = StartCopy("serve", other, {otherFallback});
    EXPECT_EQ(Ask(other, {otherFallback}), 0);
    ASSERT_TRUE(running->waitForFinished(5000));
    EXPECT_EQ(running->exitCode(), 0);

    // A fallback folder somebody else owns is no more trusted than theirs.
    const QString taken = data.path() + "/taken/";
    ASSERT_TRUE(QDir().mkpath(taken));
    ASSERT_EQ(::chown(QFile::encodeName(taken).constData(), stranger, stranger), 0);
    SingleInstance intruded(UniqueName("taken"), taken);
    EXPECT_TRUE(intruded.Folder().isEmpty());
}

// A later copy hands its file to the running one and ends at once: any path
// (blanks, a line break, letters beyond ASCII) arrives whole, one request at
// a time, and without a running copy the later one learns that none took it.
TEST(SingleInstance, ALaterCopyHandsItsFileToTheRunningOne) {
    const QString name = UniqueName("files");
    EXPECT_EQ(Ask(name, {}), 5) << "nobody runs yet";
    auto running = StartCopy("files", name);
    const QStringList paths = {"/home/me/Smith & Sons.dovanel",
                               QString::fromUtf8("/tmp/line\nbreak/pr\xc3\xa9t %41.dovanel")};
    for (const QString& path : paths) {
        QProcess later;
        later.start(SINGLE_INSTANCE_HELPER, {"open", name, path});
        ASSERT_TRUE(later.waitForFinished(8000));
        EXPECT_EQ(later.exitCode(), 0) << "the running copy took " << path.toStdString();
    }
    ASSERT_TRUE(running->waitForFinished(5000));
    QStringList received;
    for (const QByteArray& line : running->readAllStandardOutput().split('\n'))
        if (line.startsWith("open:"))
            received << QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(5)));
    EXPECT_EQ(received, paths);

    QProcess nobody;
    nobody.start(SINGLE_INSTANCE_HELPER, {"open", UniqueName("none"), "/tmp/a.dovanel"});
    ASSERT_TRUE(nobody.waitForFinished(8000));
    EXPECT_EQ(nobody.exitCode(), 5) << "no running copy: the later copy starts itself";
}

}  // namespace
}  // namespace dovanel
