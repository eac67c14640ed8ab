#include "shell/platform.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include "shell/page_printer.h"
#include "shell/qt_platform.h"

namespace dovanel {

namespace {
Platform* current = nullptr;

Platform& DesktopPlatform() {
    static QtPlatform platform;
    return platform;
}
}  // namespace

std::unique_ptr<PagePrinter> QuietPlatform::ChoosePrinter(QWidget*) {
    return nullptr;
}

Platform& ThePlatform() {
    return current ? *current : DesktopPlatform();
}

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(current) {
    current = &platform;
}
ScopedPlatform::~ScopedPlatform() {
    current = previous_;
}

MsgAnswer EscapeAnswer(const MessageRequest& request) {
    if (request.escapeAnswer) return *request.escapeAnswer;
    switch (request.buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::AbortRetryIgnore:
            return MsgAnswer::Abort;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel:
        case MsgButtons::RetryCancel:
        case MsgButtons::SaveDiscardCancel:
            break;
    }
    return MsgAnswer::Cancel;
}

MsgAnswer Message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                  MsgButtons buttons, MsgAnswer defaultButton) {
    return ThePlatform().ShowMessage(parent, {text, title, icon, buttons, defaultButton});
}

namespace {
double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
}  // namespace

QFont FormFont() {
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips * LogicalDpi() / 1440.0));
}

double PixelsToTwips(int pixels) {
    return pixels * 1440.0 / LogicalDpi();
}

}  // namespace dovanel
