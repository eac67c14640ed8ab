// Recovery over the whole program: every document the workspace holds keeps a
// copy, and a start offers back what an ended program left.
#include "ui/document/recovery_session.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "data/recovery_folder.h"
#include "tests/data/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/scenario_document.h"
#include "ui/document/scenario_store.h"
#include "ui/document/workspace.h"

namespace dovanel {
namespace {

namespace fs = std::filesystem;

class RecoverySessionTest : public ::testing::Test {
  protected:
    RecoverySessionTest() : scope(platform) {}

    std::string CopyOfCurrent() {
        auto* keeper = workspace.current().findChild<RecoveryKeeper*>();
        return keeper ? keeper->copyPath() : std::string();
    }
    void Edit(float price) {
        workspace.current().scenario().loanData.purchasePrice = price;
        workspace.current().Edited();
    }
    void LeaveOrphan(RecoveredKind kind, float price) {
        RecoveryCopy left;
        left.kind = kind;
        left.name = kind == RecoveredKind::DefaultLoan ? "" : "Untitled";
        left.written = 1765353131;
        left.scenario.loanData.purchasePrice = price;
        test::Spit(folder.folder() + "1-Gone00.1.recovery", RecoveryText(left));
    }

    test::ScriptedPlatform platform;
    ScopedPlatform scope;
    test::TempFolder data;
    RecoveryFolder folder{data.Folder()};
    Workspace workspace;
    RecoverySession session{workspace, folder, nullptr, std::chrono::milliseconds(100)};
};

TEST_F(RecoverySessionTest, EveryDocumentTheWorkspaceHoldsKeepsACopy) {
    Edit(250000);
    QTRY_VERIFY_WITH_TIMEOUT(!CopyOfCurrent().empty() && fs::exists(CopyOfCurrent()), 5000);
    const std::string first = CopyOfCurrent();
    workspace.Replace(NewScenario(workspace.desk()));  // the edit was discarded
    QTRY_VERIFY_WITH_TIMEOUT(!fs::exists(first), 5000);
    Edit(300000);
    QTRY_VERIFY_WITH_TIMEOUT(!CopyOfCurrent().empty() && fs::exists(CopyOfCurrent()), 5000);
}

TEST_F(RecoverySessionTest, ALeftCopyComesBackAsTheOpenDocument) {
    LeaveOrphan(RecoveredKind::Untitled, 412345);
    platform.answers = {MsgAnswer::Yes};
    EXPECT_EQ(session.OfferOrphans(), 1);
    ScenarioDocument& restored = workspace.current();
    EXPECT_EQ(restored.kind(), ScenarioDocument::Kind::Untitled);
    EXPECT_TRUE(restored.IsModified());
    EXPECT_EQ(restored.scenario().loanData.purchasePrice, 412345.f);
    EXPECT_TRUE(fs::exists(CopyOfCurrent()));  // the claimed copy is now this document's
    EXPECT_TRUE(folder.Orphans().empty());
}

TEST_F(RecoverySessionTest, OpenChangesComeFirstAndTheCopyWaitsForTheNextStart) {
    Edit(199000);
    LeaveOrphan(RecoveredKind::DefaultLoan, 412345);
    platform.answers = {MsgAnswer::Yes};
    EXPECT_EQ(session.OfferOrphans(), 0);
    EXPECT_EQ(workspace.current().scenario().loanData.purchasePrice, 199000.f);
    EXPECT_EQ(folder.Orphans().size(), 1u);
}

}  // namespace
}  // namespace dovanel
