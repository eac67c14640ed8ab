#include "ui/help/quick_start.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

#include "shell/app_context.h"
#include "shell/artwork.h"
#include "shell/effects.h"
#include "shell/form.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "shell/write_failure.h"

namespace dovanel {

const char* const QuickStart::kParagraphs[4] = {
    "While you will find Dovanel an extremely easy to use program, beyond its friendly exterior "
    "you will also "
    "discover a very comprehensive mortgage analysis tool ...",
    "The most obvious features are on the main screen where you can calculate important items "
    "(like how much your "
    "monthly payment would be) based on some simple data you provide.  That screen will also flag "
    "common items that "
    "could cause problems with your loan application or unnecessarily increase your mortgage "
    "payments.",
    "Dovanel is so much more than a common mortgage calculator, however, as it can actually help "
    "you prepare to "
    "qualify for a mortgage loan and determine just how much home you can afford -- BEFORE you "
    "ever have to meet "
    "with a loan officer.  Moreover, it will make the process of applying for a loan much faster "
    "and appreciably "
    "easier (allowing you to enjoy the more fun aspects of purchasing a home).",
    "To exploit the full power of Dovanel, you need only explore the features that lie beneath the "
    "\"&Tools\" "
    "pull-down menu.  In particular you can input your income and debt information to have the "
    "program analyze your "
    "personal financial situation and see how much of a loan you qualify for under Fannie Mae "
    "Guidelines, the most "
    "commonly used set of guidelines used by mortgage lending institutions.",
};

namespace {

// The text column holds about this many average letters a line, as the
// design's 6960 twips do in its own font.
constexpr int kColumnCharacters = 58;

// A label shows "&T" as an underlined T, as access keys are shown.
QString AccessKeyHtml(const QString& text) {
    QString html = text.toHtmlEscaped();
    const int amp = html.indexOf("&amp;");
    if (amp >= 0 && amp + 5 < html.size())
        html = html.left(amp) + "<u>" + html.mid(amp + 5, 1) + "</u>" + html.mid(amp + 6);
    return html;
}

}  // namespace

QuickStart::QuickStart(QWidget* parent) : QDialog(parent) {
    setObjectName("QuickStart");
    setWindowTitle("Quick Start");
    setModal(true);

    auto* house = new QLabel(this);
    house->setObjectName("Picture1");
    house->setPixmap(ProgramIcon(TwipsToPixels(720)));
    house->setGeometry(Twips(240, 240, 720, 720));
    auto* keys = new QLabel(this);
    keys->setObjectName("Picture2");
    keys->setPixmap(KeysPicture(TwipsToPixels(720)));
    keys->setGeometry(Twips(240, 3000, 720, 720));

    chkDoNotShowAgain_ = new QCheckBox(
        "Do not &show this \"Quick Start\" information automatically at startup..", this);
    // Free text in the desktop's font: the column widens with the font (the
    // design's width is the least) and the check box's caption is never cut;
    // the paragraphs stand one under the other, each as tall as its text needs.
    const int width = std::max({TwipsToPixels(6960), chkDoNotShowAgain_->sizeHint().width(),
                                fontMetrics().averageCharWidth() * kColumnCharacters});
    int top = TwipsToPixels(240);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(AccessKeyHtml(kParagraphs[i]), this);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        const int height = label->heightForWidth(width);
        label->setGeometry(TwipsToPixels(1200), top, width, height);
        top += height + TwipsToPixels(150);
    }
    chkDoNotShowAgain_->setObjectName("chkDoNotShowAgain");
    const int boxHeight = std::max(TwipsToPixels(300), chkDoNotShowAgain_->sizeHint().height());
    chkDoNotShowAgain_->setGeometry(TwipsToPixels(1200), top, width, boxHeight);
    top += boxHeight - TwipsToPixels(300);
    chkDoNotShowAgain_->setChecked(!App().showQuickStart);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("btnCloseWindow");
    const int closeHeight = std::max(TwipsToPixels(375), close->sizeHint().height());
    const int windowWidth = TwipsToPixels(1200 + 240) + width;
    close->setGeometry(TwipsToPixels(3480) + (windowWidth - TwipsToPixels(8400)) / 2,
                       top + TwipsToPixels(450), TwipsToPixels(1455), closeHeight);
    setFixedSize(windowWidth, top + TwipsToPixels(705) + closeHeight);
    FitOnScreen(this);
    // The designed place, 100 twips in from the corner of the main window's screen.
    const QScreen* screen = ScreenOfMainWindow(this);
    const QPoint corner = screen ? screen->availableGeometry().topLeft() : QPoint();
    PlaceFrame(this, corner + QPoint(TwipsToPixels(100), TwipsToPixels(100)));
    SetUpButtons(this, close);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, [this] { btnCloseWindow_Click(); });
    InstallHelpKey(this, help_topic::kContents);
}

void QuickStart::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    QTimer::singleShot(0, this, [this] { SlideIn(this, "DOWN"); });
}

void QuickStart::btnCloseWindow_Click() {
    SlideOut(this, "LEFT");
    accept();
}

// Every way of closing ends here: the setting follows the check box.
void QuickStart::done(int result) {
    if (!saved_) {
        saved_ = true;
        App().showQuickStart = !chkDoNotShowAgain_->isChecked();
        ReportSettingsWriteFailure(parentWidget(),
                                   WriteQuickStartSetting(App(), App().showQuickStart));
    }
    QDialog::done(result);
}

}  // namespace dovanel
