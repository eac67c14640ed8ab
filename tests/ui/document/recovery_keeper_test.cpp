// The recovery copy of a document with unsaved changes: written after a
// change and not before, at most once an interval, gone once the changes are
// saved or discarded or the document is closed; and offered back after a crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "data/recovery_folder.h"
#include "tests/data/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/lender_desk.h"
#include "ui/document/recovery_keeper.h"
#include "ui/document/scenario_document.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kInterval{150};

// The copy's file as it stands: its inode tells writes apart (each one renames
// a new file over the copy), and its time says when it was written.
struct CopyState {
    bool exists = false;
    ino_t inode = 0;
    milliseconds written{0};
};

CopyState StateOf(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
    const auto ns =
        std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
    return {true, st.st_ino, std::chrono::duration_cast<milliseconds>(ns)};
}

class RecoveryKeeperTest : public ::testing::Test {
  protected:
    test::TempFolder data;
    RecoveryFolder folder{data.Folder()};
    LenderDesk desk;
    std::unique_ptr<ScenarioDocument> document =
        std::make_unique<ScenarioDocument>(desk, ScenarioDocument::Kind::Untitled);
    RecoveryKeeper* keeper = new RecoveryKeeper(*document, folder, kInterval);

    void Type(float price) {
        document->scenario().loanData.purchasePrice = price;
        document->Edited();
    }
    // The copies in the folder, this test's lock aside.
    std::vector<std::string> Copies() const {
        std::vector<std::string> copies;
        for (const std::string& name : test::Names(folder.folder()))
            if (name.find(".recovery") != std::string::npos) copies.push_back(name);
        return copies;
    }
    RecoveryCopy ReadCopy() const {
        RecoveryCopy copy;
        const ScenarioReadResult read = ReadRecoveryCopy(keeper->copyPath(), copy);
        EXPECT_TRUE(read) << read.reason;
        return copy;
    }
};

TEST_F(RecoveryKeeperTest, WritesAnIntervalAfterAChangeAndNeverWithoutOne) {
    QTest::qWait(static_cast<int>(2 * kInterval.count()));
    desk.Changed();  // the lender's settings changed: no change of the scenario's own
    QTest::qWait(static_cast<int>(2 * kInterval.count()));
    EXPECT_EQ(Copies(), std::vector<std::string>{}) << "nothing unsaved, nothing to keep";

    const auto changed = Clock::now();
    Type(250000);
    EXPECT_EQ(Copies(), std::vector<std::string>{}) << "not at once: at most once an interval";
    QTRY_VERIFY_WITH_TIMEOUT(StateOf(keeper->copyPath()).exists, 5000);
    EXPECT_GE(Clock::now() - changed, kInterval);
    const RecoveryCopy copy = ReadCopy();
    EXPECT_EQ(copy.kind, RecoveredKind::Untitled);
    EXPECT_EQ(copy.name, "Untitled");
    EXPECT_EQ(copy.scenario.loanData.purchasePrice, 250000);
    EXPECT_NEAR(copy.written, QDateTime::currentSecsSinceEpoch(), 5);
}

TEST_F(RecoveryKeeperTest, ChangesWithoutPauseAreWrittenAtMostOnceAnInterval) {
    std::vector<milliseconds> writes;
    CopyState last;
    const auto until = Clock::now() + 6 * kInterval;
    for (float price = 1000; Clock::now() < until; price += 1) {
        Type(price);
        QTest::qWait(5);
        const CopyState now = StateOf(keeper->copyPath());
        if (now.exists && now.inode != last.inode) writes.push_back(now.written);
        last = now;
    }
    const float typed = document->scenario().loanData.purchasePrice;
    ASSERT_GE(writes.size(), 2u) << "the copy follows the changes";
    EXPECT_LE(writes.size(), 6u);
    for (std::size_t i = 1; i < writes.size(); ++i)
        EXPECT_GE(writes[i] - writes[i - 1], kInterval - milliseconds(10)) << "write " << i;
    QTRY_COMPARE_WITH_TIMEOUT(ReadCopy().scenario.loanData.purchasePrice, typed, 5000);
}

TEST_F(RecoveryKeeperTest, TheCopyGoesWhenTheChangesAreSavedDiscardedOrClosed) {
    struct Case {
        const char* how;
        std::function<void(std::unique_ptr<ScenarioDocument>&)> end;
    };
    const Case cases[] = {
        {"saved as",
         [](auto& d) {
             d->SetFile("/home/ann/Smith.dovanel");
             d->SetModified(false);
         }},
        {"discarded", [](auto& d) { d->SetModified(false); }},
        {"closed", [](auto& d) { d.reset(); }},
    };
    for (const Case& c : cases) {
        document = std::make_unique<ScenarioDocument>(desk, ScenarioDocument::Kind::Untitled);
        keeper = new RecoveryKeeper(*document, folder, kInterval);
        Type(300000);
        QTRY_VERIFY_WITH_TIMEOUT(StateOf(keeper->copyPath()).exists, 5000);
        Type(310000);  // a write is due again: ending the changes cancels it
        c.end(document);
        QTest::qWait(static_cast<int>(2 * kInterval.count()));
        EXPECT_EQ(Copies(), std::vector<std::string>{}) << c.how;
    }
}

TEST_F(RecoveryKeeperTest, AFileKeepsItsPathAndName) {
    document->SetFile("/home/ann/Caf\u00e9 Smith.dovanel");
    Type(1);
    QTRY_VERIFY_WITH_TIMEOUT(StateOf(keeper->copyPath()).exists, 5000);
    const RecoveryCopy copy = ReadCopy();
    EXPECT_EQ(copy.kind, RecoveredKind::File);
    EXPECT_EQ(copy.name, "Caf\xC3\xA9 Smith.dovanel");
    EXPECT_EQ(copy.path, "/home/ann/Caf\xC3\xA9 Smith.dovanel");
}

TEST_F(RecoveryKeeperTest, AFailedWriteIsReportedOnceWithItsReasonAndTriedAgain) {
    test::TempFolder blocked;
    test::Spit(blocked.path() / "Recovery", "a file where the folder goes");
    RecoveryFolder broken(blocked.Folder());
    RecoveryKeeper failing(*document, broken, kInterval);
    QSignalSpy failed(&failing, &RecoveryKeeper::writeFailed);
    Type(5);
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 5000);
    const QString message = failed.at(0).at(0).toString();
    EXPECT_FALSE(failing.failure().isEmpty());
    EXPECT_TRUE(message.contains(QString::fromStdString(broken.folder()))) << message.toStdString();
    EXPECT_TRUE(message.contains("Reason: " + failing.failure() + ".")) << message.toStdString();
    QTest::qWait(static_cast<int>(3 * kInterval.count()));
    EXPECT_EQ(failed.count(), 1) << "one message per failure, not per retry";
}

TEST_F(RecoveryKeeperTest, AnOrphanRestoredIsKeptUntilItsChangesAreSaved) {
    // A copy left by a program that ended: written straight into the folder.
    RecoveryCopy left;
    left.kind = RecoveredKind::File;
    left.name = "Smith.dovanel";
    left.path = "/home/ann/Smith.dovanel";
    left.written = 1765353131;
    left.scenario.loanData.purchasePrice = 412345.5f;
    left.scenario.info.name = "Ann & Bob Smith";
    test::Spit(folder.folder() + "1-Gone00.1.recovery", RecoveryText(left));
    const auto orphans = folder.Orphans();
    ASSERT_EQ(orphans.size(), 1u);
    std::string claimed;
    ASSERT_TRUE(folder.Claim(orphans[0], claimed));

    RecoveryCopy read;
    ASSERT_TRUE(ReadRecoveryCopy(claimed, read));
    ScenarioDocument restored(desk, ScenarioDocument::Kind::Untitled);
    RecoveryKeeper restoredKeeper(restored, folder, kInterval);
    RestoreCopy(restored, read);
    restoredKeeper.Adopt(claimed);
    EXPECT_TRUE(restored.IsModified());
    EXPECT_EQ(restored.kind(), ScenarioDocument::Kind::File);
    EXPECT_EQ(restored.path(), "/home/ann/Smith.dovanel");
    EXPECT_EQ(restored.scenario().loanData.purchasePrice, 412345.5f);
    EXPECT_EQ(restored.scenario().info.name, "Ann & Bob Smith");
    EXPECT_EQ(restoredKeeper.copyPath(), claimed);
    // the restored changes are kept in the claimed copy, written again
    QTRY_VERIFY_WITH_TIMEOUT(ReadRecoveryCopy(claimed, read) && read.written != left.written, 5000);
    EXPECT_EQ(read.scenario.loanData.purchasePrice, 412345.5f);
    restored.SetModified(false);  // saved
    EXPECT_FALSE(fs::exists(claimed));
}

TEST(RecoveryQuestion, NamesWhatAndWhenAndTheAnswerKeepsOrDropsTheCopy) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    RecoveryEntry entry;
    entry.written = QDateTime(QDate(2026, 12, 10), QTime(7, 52)).toSecsSinceEpoch();
    struct Case {
        RecoveredKind kind;
        std::string name, path;
        QString says;
    };
    const Case kinds[] = {
        {RecoveredKind::DefaultLoan, "Untitled", "",
         "Restore the unsaved changes to the loan data from "},
        {RecoveredKind::File, "Smith.dovanel", "/home/ann/Smith.dovanel",
         "Restore the unsaved changes to \"Smith.dovanel\" from "},
        {RecoveredKind::Untitled, "Untitled", "", "Restore the new scenario \"Untitled\""},
    };
    for (const Case& c : kinds) {
        entry.kind = c.kind;
        entry.name = c.name;
        entry.path = c.path;
        const QString text = RestoreQuestion(entry);
        EXPECT_TRUE(text.startsWith("Dovanel was not closed properly.\r\r")) << text.toStdString();
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        EXPECT_TRUE(text.contains("Thursday, December 10, 2026 at 7:52")) << text.toStdString();
        EXPECT_EQ(text.contains("/home/ann/Smith.dovanel"), !c.path.empty());
        EXPECT_TRUE(text.endsWith("No discards the changes for good.")) << text.toStdString();
    }
    const std::pair<MsgAnswer, RestoreAnswer> answers[] = {
        {MsgAnswer::Yes, RestoreAnswer::Restore},
        {MsgAnswer::No, RestoreAnswer::Discard},
        {MsgAnswer::Cancel, RestoreAnswer::Later},  // Escape or the close box
    };
    for (const auto& [answer, meant] : answers) {
        test::ScriptedPlatform platform;
        ScopedPlatform scoped(platform);
        platform.answers = {answer};
        EXPECT_EQ(AskToRestore(nullptr, entry), meant);
        ASSERT_EQ(platform.asked.size(), 1u);
        const MessageRequest& asked = platform.asked[0];
        EXPECT_EQ(asked.title, "Dovanel");
        EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
        EXPECT_EQ(asked.defaultButton, MsgAnswer::Yes);
        EXPECT_EQ(EscapeAnswer(asked), MsgAnswer::Cancel) << "Escape never discards the changes";
    }
    QLocale::setDefault(before);
}

// Copies an ended program left: the newest a scenario file's, then a new
// scenario's, then one cut short. The start answers each question in turn.
TEST(RecoveryAtStart, EachCopyIsRestoredDiscardedOrKeptAsAnswered) {
    struct Case {
        const char* what;
        std::deque<MsgAnswer> answers;  // the file's copy, the new scenario's, the cut one's
        bool restoreWorks;
        int restored;
        std::vector<std::string> left;  // orphans left for the next start
    };
    const Case cases[] = {
        {"restore, discard, keep the unreadable",
         {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::No},
         true,
         1,
         {"1-Gone00.3.recovery"}},
        {"Escape twice, delete the unreadable",
         {MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::Yes},
         true,
         0,
         {"1-Gone00.1.recovery", "1-Gone00.2.recovery"}},
        {"restoring fails: the copies stay",
         {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No},
         false,
         0,
         {"1-Gone00.1.recovery", "1-Gone00.2.recovery", "1-Gone00.3.recovery"}},
    };
    for (const Case& c : cases) {
        test::TempFolder data;
        RecoveryFolder folder(data.Folder());
        RecoveryCopy file;
        file.kind = RecoveredKind::File;
        file.name = "Smith.dovanel";
        file.path = "/home/ann/Smith.dovanel";
        file.written = 300;
        file.scenario.loanData.purchasePrice = 333000;
        RecoveryCopy untitled;
        untitled.name = "Untitled";
        untitled.written = 200;
        test::Spit(folder.folder() + "1-Gone00.1.recovery", RecoveryText(file));
        test::Spit(folder.folder() + "1-Gone00.2.recovery", RecoveryText(untitled));
        test::Spit(folder.folder() + "1-Gone00.3.recovery", RecoveryText(file).substr(0, 300));

        test::ScriptedPlatform platform;
        ScopedPlatform scoped(platform);
        platform.answers = c.answers;
        LenderDesk desk;
        std::vector<std::unique_ptr<ScenarioDocument>> documents;
        const int restored = OfferOrphanedCopies(nullptr, folder, [&](const RecoveryCopy& copy) {
            if (!c.restoreWorks) return static_cast<RecoveryKeeper*>(nullptr);
            documents.push_back(
                std::make_unique<ScenarioDocument>(desk, ScenarioDocument::Kind::Untitled));
            RestoreCopy(*documents.back(), copy);
            return new RecoveryKeeper(*documents.back(), folder, kInterval);
        });
        EXPECT_EQ(restored, c.restored) << c.what;
        ASSERT_EQ(platform.asked.size(), 3u) << c.what;
        EXPECT_TRUE(platform.asked[0].text.contains("\"Smith.dovanel\"")) << "newest first";
        EXPECT_TRUE(platform.asked[2].text.contains("could not be read")) << c.what;
        EXPECT_EQ(platform.asked[2].defaultButton, MsgAnswer::No) << "kept unless the user says";
        std::vector<std::string> left;
        for (const RecoveryEntry& orphan : folder.Orphans())
            left.push_back(fs::path(orphan.file).filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.left) << c.what;
        for (const auto& document : documents) {
            EXPECT_EQ(document->path(), "/home/ann/Smith.dovanel") << c.what;
            EXPECT_EQ(document->scenario().loanData.purchasePrice, 333000) << c.what;
            EXPECT_TRUE(document->IsModified()) << c.what;
            const std::string copy = document->findChild<RecoveryKeeper*>()->copyPath();
            EXPECT_TRUE(fs::exists(copy)) << "the restored document keeps the claimed copy";
            document->SetModified(false);
            EXPECT_FALSE(fs::exists(copy)) << "until its changes are saved";
        }
    }
}

}  // namespace
}  // namespace dovanel
