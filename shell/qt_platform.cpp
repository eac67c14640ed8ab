#include "shell/qt_platform.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <cstdlib>

#include "engine/model.h"
#include "shell/page_printer.h"

namespace dovanel {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Warning:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return QMessageBox::Ok;
        case MsgButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MsgButtons::SaveDiscardCancel:
            return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton BoxButton(MsgAnswer answer) {
    switch (answer) {
        case MsgAnswer::Ok:
            return QMessageBox::Ok;
        case MsgAnswer::Cancel:
            return QMessageBox::Cancel;
        case MsgAnswer::Yes:
            return QMessageBox::Yes;
        case MsgAnswer::No:
            return QMessageBox::No;
        case MsgAnswer::Abort:
            return QMessageBox::Abort;
        case MsgAnswer::Retry:
            return QMessageBox::Retry;
        case MsgAnswer::Ignore:
            return QMessageBox::Ignore;
        case MsgAnswer::Save:
            return QMessageBox::Save;
        case MsgAnswer::Discard:
            return QMessageBox::Discard;
    }
    return QMessageBox::Ok;
}

// What a box ended by Escape or its close box returns: no button's code.
constexpr int kEscaped = -1;

MsgAnswer AnswerOf(int button, const MessageRequest& request) {
    switch (button) {
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Abort:
            return MsgAnswer::Abort;
        case QMessageBox::Retry:
            return MsgAnswer::Retry;
        case QMessageBox::Ignore:
            return MsgAnswer::Ignore;
        case QMessageBox::Save:
            return MsgAnswer::Save;
        case QMessageBox::Discard:
            return MsgAnswer::Discard;
        default:
            return EscapeAnswer(request);
    }
}

// Escape and the close box end the box without a button, whichever button Qt
// would have taken for them: the request says what they answer.
class EscapeEndsBox : public QObject {
  public:
    explicit EscapeEndsBox(QMessageBox* box) : QObject(box), box_(box) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const bool escape = event->type() == QEvent::KeyPress &&
                            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
        if (!escape && event->type() != QEvent::Close) return false;
        if (box_->clickedButton()) return false;  // a button ends it
        if (!ending_) {
            ending_ = true;
            box_->done(kEscaped);
        }
        return true;
    }

  private:
    QMessageBox* box_;
    bool ending_ = false;
};

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRequest& request) {
    QString text = request.text;
    text.replace("\r\n", "\n").replace('\r', '\n');
    auto box = std::make_unique<QMessageBox>(
        BoxIcon(request.icon), request.title.isEmpty() ? QString(kProductName) : request.title,
        text, BoxButtons(request.buttons), parent);
    box->setTextFormat(request.textFormat);
    box->setDefaultButton(BoxButton(request.defaultButton));
    box->installEventFilter(new EscapeEndsBox(box.get()));
    return box;
}

MsgAnswer QtPlatform::ShowMessage(QWidget* parent, const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, request);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int button = box->exec();
    QApplication::restoreOverrideCursor();
    return AnswerOf(button, request);
}

void QtPlatform::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else {
        while (busyDepth_ > 0) {
            QApplication::restoreOverrideCursor();
            --busyDepth_;
        }
    }
}

bool QtPlatform::StartProgram(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool QtPlatform::OpenUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

namespace {

quint32 LittleEndian32(const QByteArray& bytes, int at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<quint8>(bytes[at + i]);
    return value;
}

}  // namespace

double WaveSeconds(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") return -1;
    quint32 bytesPerSecond = 0;
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8) return -1;
        const quint32 size = LittleEndian32(chunk, 4);
        if (chunk.startsWith("data"))
            return bytesPerSecond == 0 ? -1 : static_cast<double>(size) / bytesPerSecond;
        const qint64 next = file.pos() + size + (size & 1);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = file.read(16);
            if (format.size() < 16) return -1;
            bytesPerSecond = LittleEndian32(format, 8);
        }
        if (!file.seek(next)) return -1;
    }
}

int SoundWaitMs(double seconds) {
    const double ms = std::ceil(seconds * 1000);
    return (ms < kLongestSoundWaitMs ? static_cast<int>(ms) : kLongestSoundWaitMs) + kSoundMarginMs;
}

// Each sound is loaded once and kept: reloading it every time made it start
// late, and a sound still playing when the wait ends plays on to its end.
QSoundEffect* QtPlatform::Effect(const QString& path) {
    QPointer<QSoundEffect>& effect = effects_[path];
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}

void QtPlatform::PlaySound(const QString& path) {
    if (!QCoreApplication::instance() || QMediaDevices::audioOutputs().isEmpty()) return;
    const double seconds = WaveSeconds(path);
    if (seconds < 0) return;  // missing, or no wave file
    QSoundEffect* effect = Effect(path);
    QEventLoop loop;
    // The device may report the end late: wait the sound's own length, never longer.
    QTimer::singleShot(SoundWaitMs(seconds), &loop, &QEventLoop::quit);
    const auto ended = QObject::connect(effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading) loop.quit();
    });
    const auto failed = QObject::connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect->status() == QSoundEffect::Error) loop.quit();
    });
    if (effect->status() == QSoundEffect::Error) return;
    effect->play();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(ended);
    QObject::disconnect(failed);
}

// Window events go on being processed, so what was just shown gets painted
// (on X11 and Wayland a window is drawn only once the server has exposed it);
// the user's input waits until the pause is over.
void QtPlatform::Pause(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::Beep() {
    QApplication::beep();
}

void QtPlatform::EndProgram() {
    std::exit(0);
}

std::unique_ptr<PagePrinter> QtPlatform::ChoosePrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    // The orientation chosen in the dialog is already the printer's.
    return std::make_unique<QtPagePrinter>(std::move(printer));
}

QString QtPlatform::ChooseSaveFile(QWidget* parent, const QString& caption,
                                   const QString& suggestedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

QString QtPlatform::ChooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

}  // namespace dovanel
