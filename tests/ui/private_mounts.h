#pragma once
// Full-disk tests without filling the real disk: the test runs again in a mount
// namespace of its own (unshare -m, private propagation), where it mounts a
// small tmpfs over a folder of its own; the mount goes away with the namespace.
//
//     if (!test::InPrivateMounts()) return test::RerunInPrivateMounts();
//
// The outer run takes the inner run's outcome; it skips where unshare is
// missing or not allowed.

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>

namespace dovanel::test {

inline constexpr char kPrivateMountsVariable[] = "DOVANEL_TEST_PRIVATE_MOUNTS";

inline bool InPrivateMounts() {
    return qEnvironmentVariableIsSet(kPrivateMountsVariable);
}

inline void RerunInPrivateMounts() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty()) GTEST_SKIP() << "unshare is not installed";
    QProcess inner;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kPrivateMountsVariable, "1");
    inner.setProcessEnvironment(env);
    inner.start(unshare,
                {"-m", "--propagation", "private", QCoreApplication::applicationFilePath(),
                 QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    const bool ended = inner.waitForFinished(240000);
    const QString output = QString::fromLocal8Bit(inner.readAllStandardOutput()) +
                           QString::fromLocal8Bit(inner.readAllStandardError());
    ASSERT_TRUE(ended) << output.toStdString();
    if (!output.contains("[==========]"))
        GTEST_SKIP() << "no mount namespace here: " << output.trimmed().toStdString();
    if (output.contains("[  SKIPPED ]")) GTEST_SKIP() << output.toStdString();
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

// Mounts a tmpfs of `bytes` over `folder` (inside the namespace only).
inline bool MountSmallDisk(const QString& folder, int bytes) {
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0700";
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.constData()) == 0;
}

}  // namespace dovanel::test
