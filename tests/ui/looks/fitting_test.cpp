// The fitting rule on its own: which texts are leaders or numbers, how each
// kind is made to fit, the window font, and readable colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>

#include "shell/fitting.h"
#include "shell/looks.h"
#include "shell/platform.h"

namespace dovanel {
namespace {

TEST(Fitting, TellsLeadersNumbersAndCaptionsApart) {
    const std::pair<const char*, TextKind> cases[] = {
        {"Loan Amount . . . . . . . . . . . . . ", TextKind::Leaders},
        {"Monthly Homeowner Assoc Dues .", TextKind::Leaders},
        {"Min. Monthly Income Required . . .", TextKind::Leaders},
        {"$10,000,000", TextKind::Number},
        {"($12,000)", TextKind::Number},
        {"100000000", TextKind::Number},
        {".500%", TextKind::Number},
        {"-1.5", TextKind::Number},
        {"Min. Monthly", TextKind::Caption},
        {"Enter Income", TextKind::Caption},
        {"$", TextKind::Caption},
        {"Courier / Flood Report", TextKind::Caption},
    };
    for (const auto& [text, kind] : cases) EXPECT_EQ(KindOf(text), kind) << text;
}

TEST(Fitting, EachKindKeepsWhatMatters) {
    const QFont font = WindowFont();
    const QFontMetrics fm(font);
    const QString leaders = "Min. Monthly Income Required . . . . . . . . . . . . . . .";
    const int room =
        fm.horizontalAdvance("Min. Monthly Income Required . .") + fm.horizontalAdvance(' ');
    const Fitted caption = FitText(leaders, font, room);
    EXPECT_EQ(caption.text, "Min. Monthly Income Required . .");  // dots go, words stay
    EXPECT_FALSE(caption.shortened);

    const Fitted number = FitText("$10,000,000", font, fm.horizontalAdvance("$10,000,00"));
    EXPECT_EQ(number.text, "$10,000,000");  // every character, in a smaller size
    EXPECT_LT(number.font.pointSizeF(), font.pointSizeF());
    EXPECT_EQ(number.font.family(), font.family());
    EXPECT_LE(QFontMetrics(number.font).horizontalAdvance(number.text),
              fm.horizontalAdvance("$10,000,00"));
    // Never more than 1.5 pt smaller, however narrow the place (the cell is widened instead).
    const Fitted squeezed = FitText("$10,000,000", font, fm.horizontalAdvance("$10,000"));
    EXPECT_EQ(squeezed.text, "$10,000,000");
    EXPECT_GE(squeezed.font.pointSizeF(), font.pointSizeF() - 1.5);

    const QString name = "Appraisal fee and deposit for the second appraisal";
    const Fitted user = FitText(name, font, fm.horizontalAdvance("Appraisal fee and"));
    EXPECT_TRUE(user.shortened);
    EXPECT_TRUE(user.text.endsWith(QChar(0x2026)));
    EXPECT_LE(fm.horizontalAdvance(user.text), fm.horizontalAdvance("Appraisal fee and"));

    // Words that do not fit even without their dots are cut short like a name.
    const Fitted words = FitText(leaders, font, fm.horizontalAdvance("Min. Monthly"));
    EXPECT_TRUE(words.shortened);
    EXPECT_TRUE(words.text.startsWith("Min.") && words.text.endsWith(QChar(0x2026)));

    // A caption's access key takes no room and stays an access key when shortened.
    const Fitted keyFits = FitText("D&ues", font, fm.horizontalAdvance("Dues"), true);
    EXPECT_FALSE(keyFits.shortened);
    const Fitted key =
        FitText("In&surance / month", font, fm.horizontalAdvance("Insurance / m"), true);
    EXPECT_TRUE(key.shortened);
    EXPECT_TRUE(key.text.startsWith("In&s") && key.text.endsWith(QChar(0x2026)))
        << key.text.toStdString();

    const Fitted fits = FitText("Recording Fee", font, 500);
    EXPECT_EQ(fits.text, "Recording Fee");
    EXPECT_EQ(fits.font, font);
}

TEST(Fitting, ALabelShowsAShortenedNameInFullAsItsTooltip) {
    FittedLabel label("Courier and flood certification fee and deposit");
    label.setFont(WindowFont());
    label.resize(80, 17);
    label.grab();
    EXPECT_TRUE(label.Shown().shortened);
    EXPECT_EQ(label.toolTip(), label.text());
    EXPECT_EQ(label.text(), "Courier and flood certification fee and deposit");
    label.setText("Fee");
    label.grab();
    EXPECT_TRUE(label.toolTip().isEmpty());
    // A caption with an access key reads whole without its mark.
    QLineEdit box;
    label.setBuddy(&box);
    label.setText("In&surance for the whole of the month");
    label.grab();
    EXPECT_EQ(label.toolTip(), "Insurance for the whole of the month");
}

TEST(Fitting, ANumberBoxShrinksItsFontRatherThanHideADigit) {
    QWidget parent;
    parent.setFont(WindowFont());
    QLineEdit box(&parent);
    box.resize(57, 19);
    KeepNumberWhole(&box);
    box.setText("100000000");
    EXPECT_LE(QFontMetrics(box.font()).horizontalAdvance(box.text()), TextRoom(&box));
    box.setText("1");
    EXPECT_EQ(box.font().pointSizeF(), WindowFont().pointSizeF());
}

TEST(Fitting, ANameBoxShowsALongNameInFullAsItsTooltip) {
    QLineEdit box;
    box.resize(60, 19);
    ShowWholeTextAsTooltip(&box);
    box.setText("Car loan at the credit union, account 12345");
    EXPECT_EQ(box.toolTip(), box.text());
    EXPECT_EQ(box.cursorPosition(), 0);  // its start is what shows
    box.setText("Car");
    EXPECT_TRUE(box.toolTip().isEmpty());
}

TEST(Fitting, TheWindowFontIsTheDesktopsSansSerifSizedForTheDesign) {
    const QFont font = WindowFont();
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_TRUE(font.bold());
    EXPECT_GE(font.pointSizeF(), 7.25);
    EXPECT_LE(font.pointSizeF(), 9.25);
    const QFontMetrics fm(font);
    for (const DesignedCaption& c : TightestCaptions()) {
        const QString text = c.text;
        const QString words = KindOf(text) == TextKind::Leaders ? ElideLeaders(text, fm, 0) : text;
        EXPECT_LE(fm.horizontalAdvance(words), TwipsToPixels(c.widthTwips)) << c.text;
    }
    // A font too wide for the design at 7.25 pt is set narrower, not smaller.
    const QFont wide =
        ChooseWindowFont(font.family(), {{"A caption far too long for its place", 1200}});
    EXPECT_EQ(wide.pointSizeF(), 7.25);
    EXPECT_LT(wide.stretch(), 100);
}

TEST(Looks, ContrastFollowsRelativeLuminance) {
    EXPECT_NEAR(Contrast(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(Contrast(Qt::white, Qt::white), 1.0, 0.01);
    EXPECT_NEAR(Contrast(QColor(255, 0, 0), Qt::white), 4.0, 0.01);
}

TEST(Looks, ADesignedColourIsKeptOrNudgedUntilItReads) {
    const std::pair<QColor, QColor> cases[] = {
        {QColor(192, 0, 0), QColor(53, 53, 53)},     // the red-flag hint on a dark theme
        {QColor(255, 0, 0), Qt::white},              // red input text on white
        {Qt::black, QColor(35, 35, 35)},             // black text on a dark cell
        {QColor(0, 0, 128), QColor(224, 224, 224)},  // navy on grey, already fine
    };
    for (const auto& [text, background] : cases) {
        const QColor shown = Readable(text, background);
        EXPECT_GE(Contrast(shown, background), kReadableContrast) << text.name().toStdString();
        if (Contrast(text, background) >= kReadableContrast) {
            EXPECT_EQ(shown, text);
        }
    }
}

TEST(Looks, ProgramIconComesFromTheScalablePicture) {
    const QIcon icon = ProgramIconSet();
    ASSERT_FALSE(icon.isNull());
    SetUpLooks(*qApp);
    EXPECT_EQ(QApplication::windowIcon().cacheKey(), icon.cacheKey());
    EXPECT_EQ(icon.pixmap(256, 256).size(), QSize(256, 256));
}

}  // namespace
}  // namespace dovanel
