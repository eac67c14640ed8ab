#include "ui/about/about_box.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "shell/app_context.h"
#include "shell/artwork.h"
#include "shell/effects.h"
#include "shell/form.h"
#include "shell/keys.h"
#include "shell/platform.h"
#include "ui/about/update_check.h"

namespace dovanel {

namespace {

// The program's name in large gold letters with a black shadow behind them.
QLabel* TitleLabel(QWidget* parent) {
    auto* label = new QLabel(App().productName, parent);
    label->setObjectName("lblTitle");
    QFont font = label->font();
    font.setPointSize(24);
    font.setBold(true);
    label->setFont(font);
    SetColors(label, QColor(255, 220, 80));
    auto* shadow = new QGraphicsDropShadowEffect(label);
    shadow->setColor(Qt::black);
    shadow->setBlurRadius(0);
    shadow->setOffset(TwipsToPixels(30), TwipsToPixels(30));
    label->setGraphicsEffect(shadow);
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, std::function<bool()> readyToEnd) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About " + App().productName);
    setModal(true);
    // The labels stand on the blue bands: white and gold read on every band.
    SetColors(this, Qt::white, QColor(0, 0, 160));

    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    icon->setPixmap(ProgramIcon(TwipsToPixels(720)));
    icon->setGeometry(Twips(360, 360, 720, 720));
    TitleLabel(this)->setGeometry(Twips(1320, 360, 4680, 600));

    lblVersion_ = new QLabel("Version " + App().versionText, this);
    lblVersion_->setObjectName("lblVersion");

    lblLegal_ = new QLabel(
        "Copyright \u00A9 2026 the Dovanel developers. Free software under the GNU GPL, "
        "version 3 or later, with no warranty.\n\n"
        "Dovanel gives estimates for planning only. Lenders' fees, rates and guidelines vary; "
        "the figures shown are not a loan offer or a commitment to lend.",
        this);
    lblLegal_->setObjectName("lblLegal");
    lblLegal_->setWordWrap(true);

    btnOk_ = new QPushButton("&Ok", this);
    btnOk_->setObjectName("BtnOk");
    btnOk_->setDefault(true);
    btnCheckForUpdates_ = new QPushButton("Check for &Updates ...", this);
    btnCheckForUpdates_->setObjectName("btnCheckForUpdates");
    connect(btnOk_, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(btnCheckForUpdates_, &QPushButton::clicked, this,
            [this, ready = std::move(readyToEnd)] { CheckForUpdates(this, ready); });
    SetUpButtons(this, btnOk_);
    btnOk_->setFocus();
    LayOut();

    FitOnScreen(this);
    CenterOnScreen(this);
    QApplication::restoreOverrideCursor();
}

// The design's places (twips) are the least each text gets; a taller text
// pushes what stands below it down, a wider button caption widens its button.
void AboutBox::LayOut() {
    const int gap = TwipsToPixels(240);
    lblVersion_->setGeometry(TwipsToPixels(1320), TwipsToPixels(1020), TwipsToPixels(4680),
                             std::max(TwipsToPixels(300), lblVersion_->sizeHint().height()));
    const int legalTop = std::max(TwipsToPixels(1560), lblVersion_->geometry().bottom() + 1 + gap);
    const int legalWidth = TwipsToPixels(5640);
    lblLegal_->setGeometry(TwipsToPixels(360), legalTop, legalWidth,
                           lblLegal_->heightForWidth(legalWidth));
    const int buttonTop = lblLegal_->geometry().bottom() + 1 + TwipsToPixels(420);
    const int buttonHeight = std::max({TwipsToPixels(420), btnOk_->sizeHint().height(),
                                       btnCheckForUpdates_->sizeHint().height()});
    const int okWidth = std::max(TwipsToPixels(1800), btnOk_->sizeHint().width());
    const int updatesWidth = std::max(TwipsToPixels(2160), btnCheckForUpdates_->sizeHint().width());
    btnOk_->setGeometry(TwipsToPixels(600), buttonTop, okWidth, buttonHeight);
    // The update button keeps its right edge; the box widens if its caption needs it.
    const int updatesLeft =
        std::max(TwipsToPixels(5760) - updatesWidth, btnOk_->geometry().right() + 1 + gap);
    btnCheckForUpdates_->setGeometry(updatesLeft, buttonTop, updatesWidth, buttonHeight);
    setFixedSize(std::max(TwipsToPixels(6360), updatesLeft + updatesWidth + TwipsToPixels(600)),
                 std::max(TwipsToPixels(4320), buttonTop + buttonHeight + TwipsToPixels(420)));
}

// A splash window has no frame: no title bar, no buttons of the window manager.
void AboutBox::MakeSplash() {
    setWindowTitle(QString());
    setModal(false);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    CenterOnScreen(this);
    lblLegal_->move(lblLegal_->x(), lblLegal_->y() + TwipsToPixels(100));
    btnOk_->hide();
    btnCheckForUpdates_->hide();
}

// Blue bands from pure blue at the top to a dark blue at the bottom.
void AboutBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const double unit = height() / 512.0;
    double y = 0;
    for (int i = 255; i >= 0; --i, y += 3)
        p.fillRect(QRectF(0, y * unit, width(), 3 * unit + 1), QColor(0, 0, i));
}

// Escape does what "&Ok" does, while the box is not the splash.
void AboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (btnOk_->isVisible()) BtnOk_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AboutBox::BtnOk_Click() {
    ThePlatform().SetBusy(false);
    SlideOut(this, "UP");
    accept();
}

}  // namespace dovanel
