// The one place where an unsaved change can be lost: every way of leaving a
// document (New, Open, a recent file, closing, logging out, a later copy asking
// for a file) with every answer (Save, Discard, Cancel, Escape), from a
// scenario file, a new scenario and the default loan.
#include <QCloseEvent>

#include "tests/ui/document/document_fixture.h"

namespace dovanel {
namespace {

enum class Path { New, Open, Recent, Close, Logout, SecondCopy };
enum class Answer { Save, Discard, Cancel, Escape };
using Kind = ScenarioDocument::Kind;

const char* const kPathNames[] = {"New", "Open", "Recent", "Close", "Logout", "SecondCopy"};
const char* const kAnswerNames[] = {"Save", "Discard", "Cancel", "Escape"};
const char* const kKindNames[] = {"DefaultLoan", "File", "Untitled"};

struct Case {
    Kind kind;
    Path path;
    Answer answer;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << kKindNames[int(c.kind)] << " " << kPathNames[int(c.path)] << " "
        << kAnswerNames[int(c.answer)];
}

std::string Name(const ::testing::TestParamInfo<Case>& info) {
    return std::string(kKindNames[int(info.param.kind)]) + kPathNames[int(info.param.path)] +
           kAnswerNames[int(info.param.answer)];
}

std::vector<Case> EveryCase() {
    std::vector<Case> cases;
    for (Kind kind : {Kind::DefaultLoan, Kind::File, Kind::Untitled})
        for (int p = 0; p < 6; ++p)
            for (int a = 0; a < 4; ++a) cases.push_back({kind, Path(p), Answer(a)});
    return cases;
}

bool Closes(Path path) {
    return path == Path::Close || path == Path::Logout;
}

class UnsavedChangesTest : public test::DocumentTest, public ::testing::WithParamInterface<Case> {
  protected:
    UnsavedChangesTest() {
        other = ScenarioFile("Other.dovanel", 111111);
        mine = ScenarioFile("Mine.dovanel", 222222);
        savedAs = files.path() + "/Saved.dovanel";
    }

    // The document of the case, with a price typed and not saved.
    void Prepare(Kind kind) {
        window->OpenScenarioFile(other);                         // the recent list: Other
        if (kind == Kind::File) window->OpenScenarioFile(mine);  // Mine, Other
        if (kind == Kind::Untitled) Run("MenuFileNew");
        if (kind == Kind::DefaultLoan) {
            workspace.Replace(std::make_unique<ScenarioDocument>(workspace.desk(), kind));
            LoadInstalled(Current().model());
            window->SetDocument(Current());
        }
        ASSERT_EQ(Current().kind(), kind);
        Box(1)->setFocus();
        Box(1)->selectAll();
        QTest::keyClicks(Box(1), "345678");
        ASSERT_TRUE(Current().IsModified());
        mainBefore = FileBytes("MAIN.DAT");
    }

    // Leaves the document by `path`; true when the way was not refused.
    bool Leave(Path path) {
        switch (path) {
            case Path::New:
                Run("MenuFileNew");
                return Current().kind() == Kind::Untitled && !Current().IsModified();
            case Path::Open:
                OpenByMenu(other);
                return Current().path() == other;
            case Path::Recent:
                Run(Action("MenuFileRecent1")->statusTip() == other ? "MenuFileRecent1"
                                                                    : "MenuFileRecent2");
                return Current().path() == other;
            case Path::SecondCopy:
                return window->OpenScenarioFile(other);
            case Path::Logout:
                return window->CommitLoanData(true);
            case Path::Close: {
                QCloseEvent close;
                QCoreApplication::sendEvent(window.get(), &close);
                return close.isAccepted();
            }
        }
        return false;
    }

    // Answers the one question as the case says, the way its buttons say it.
    void Script(Answer answer) {
        platform.answerWith = [answer](const MessageRequest& request) {
            const bool yesNo =
                request.buttons == MsgButtons::YesNo || request.buttons == MsgButtons::YesNoCancel;
            switch (answer) {
                case Answer::Save:
                    return yesNo ? MsgAnswer::Yes : MsgAnswer::Save;
                case Answer::Discard:
                    return yesNo ? MsgAnswer::No : MsgAnswer::Discard;
                case Answer::Cancel:
                    return MsgAnswer::Cancel;
                case Answer::Escape:
                    break;
            }
            return EscapeAnswer(request);
        };
        platform.saveAnswers.push_back(savedAs);  // the untitled scenario's Save As
    }

    // Where the typed price went when it was saved.
    Single SavedPrice(Kind kind) {
        if (kind == Kind::File) return Read(mine).loanData.purchasePrice;
        if (kind == Kind::Untitled)
            return QFile::exists(savedAs) ? Read(savedAs).loanData.purchasePrice : 0;
        Model stored;
        DataError error;
        EXPECT_TRUE(LoadDataFile(DataFile::Main, stored, App().dataFolder.toStdString(), error));
        return stored.loanData.purchasePrice;
    }

    QString other, mine, savedAs;
    QByteArray mainBefore;
};

TEST_P(UnsavedChangesTest, NothingIsLostWhateverTheAnswer) {
    const Case c = GetParam();
    Prepare(c.kind);
    ScenarioDocument* before = &Current();
    const Single onDiskBefore = SavedPrice(c.kind);
    platform.asked.clear();
    Script(c.answer);

    const bool left = Leave(c.path);

    ASSERT_EQ(platform.asked.size(), 1u) << "exactly one question";
    const MessageRequest& asked = platform.asked.front();
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    if (c.kind == Kind::DefaultLoan && Closes(c.path)) {
        EXPECT_EQ(asked.text, "Save changes made to the Borrower's Loan Data?") << "as specified";
        EXPECT_EQ(asked.title, "Save Changes");
        EXPECT_EQ(asked.buttons,
                  c.path == Path::Logout ? MsgButtons::YesNoCancel : MsgButtons::YesNo);
    } else {
        EXPECT_EQ(asked.buttons, MsgButtons::SaveDiscardCancel);
        EXPECT_EQ(asked.title, "Dovanel");
        const QString named = c.kind == Kind::DefaultLoan ? "the Borrower's Loan Data"
                              : c.kind == Kind::File      ? "\"Mine.dovanel\""
                                                          : "\"Untitled\"";
        EXPECT_EQ(asked.text, "Save the changes to " + named + " before closing it?");
    }
    EXPECT_EQ(EscapeAnswer(asked), MsgAnswer::Cancel) << "Escape and the close box go back";

    const bool goesOn = c.answer == Answer::Save || c.answer == Answer::Discard;
    EXPECT_EQ(left, goesOn);
    if (c.answer == Answer::Save) {
        EXPECT_EQ(SavedPrice(c.kind), 345678.0f) << "saved before leaving";
    } else {
        EXPECT_EQ(SavedPrice(c.kind), onDiskBefore) << "nothing written";
    }
    if (c.kind != Kind::DefaultLoan) {
        EXPECT_EQ(FileBytes("MAIN.DAT"), mainBefore);
    }
    if (!goesOn || Closes(c.path)) {
        EXPECT_EQ(&Current(), before) << "the document stays open";
        EXPECT_EQ(Current().model().loanData.purchasePrice, 345678.0f);
        EXPECT_EQ(Current().IsModified(), c.answer != Answer::Save) << "unsaved unless saved";
        EXPECT_EQ(Box(1)->text(), "345678");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWay, UnsavedChangesTest, ::testing::ValuesIn(EveryCase()), Name);

class LeavingTest : public test::DocumentTest {};

// A save that fails, or a Save As whose dialog is cancelled, loses nothing:
// the new scenario is not made and the changes stay.
TEST_F(LeavingTest, ASaveThatFailsOrIsCancelledAbandonsTheWayOut) {
    const QString file = ScenarioFile("Gone.dovanel", 100000);
    ASSERT_TRUE(window->OpenScenarioFile(file));
    Type(4, "7");
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));  // nothing can be written there now
    platform.answers = {MsgAnswer::Save, MsgAnswer::Ok};
    Run("MenuFileNew");
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_TRUE(platform.asked[1].text.contains(file)) << "the failure names the file";
    EXPECT_EQ(Current().path(), file);
    EXPECT_TRUE(Current().IsModified());

    platform.answers = {MsgAnswer::Discard};
    Run("MenuFileNew");  // an untitled scenario now, with a change
    Type(4, "7");
    platform.answers = {MsgAnswer::Save};  // and then the Save As dialog is cancelled
    EXPECT_FALSE(window->OpenScenarioFile(ScenarioFile("Next.dovanel", 1)));
    EXPECT_EQ(Current().kind(), ScenarioDocument::Kind::Untitled);
    EXPECT_TRUE(Current().IsModified());
}

// Nothing unsaved: nothing is asked, whichever way.
TEST_F(LeavingTest, AnUnchangedDocumentIsLeftWithoutAQuestion) {
    Run("MenuFileNew");
    OpenByMenu(ScenarioFile("A.dovanel", 1));
    EXPECT_TRUE(window->OpenScenarioFile(ScenarioFile("B.dovanel", 2)));
    EXPECT_TRUE(window->CommitLoanData(true));
    EXPECT_TRUE(platform.asked.empty());
}

}  // namespace
}  // namespace dovanel
