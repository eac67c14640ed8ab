#include "shell/qt_platform.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

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
    }
    return QMessageBox::Ok;
}

MsgAnswer AnswerOf(int button, MsgButtons buttons) {
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
        default:
            break;
    }
    // Closed without a button (Escape): the answer that changes nothing.
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            return MsgAnswer::Cancel;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::AbortRetryIgnore:
            return MsgAnswer::Ignore;
        case MsgButtons::YesNoCancel:
        case MsgButtons::RetryCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRequest& request) {
    QString text = request.text;
    text.replace("\r\n", "\n").replace('\r', '\n');
    auto box = std::make_unique<QMessageBox>(
        BoxIcon(request.icon), request.title.isEmpty() ? QString(kProductName) : request.title,
        text, BoxButtons(request.buttons), parent);
    box->setTextFormat(request.textFormat);
    box->setDefaultButton(BoxButton(request.defaultButton));
    return box;
}

MsgAnswer QtPlatform::ShowMessage(QWidget* parent, const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, request);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int button = box->exec();
    QApplication::restoreOverrideCursor();
    return AnswerOf(button, request.buttons);
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

void QtPlatform::PlaySound(const QString& path) {
    if (!QFileInfo::exists(path) || QMediaDevices::audioOutputs().isEmpty()) return;
    QSoundEffect effect;
    QEventLoop loop;
    QTimer guard;  // never hang on a device that stops answering
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying()) loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) loop.quit();
    });
    effect.setSource(QUrl::fromLocalFile(path));
    effect.play();
    guard.start(5000);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::Pause(double seconds) {
    QCoreApplication::processEvents();
    QThread::msleep(static_cast<unsigned long>(seconds * 1000));
    QCoreApplication::processEvents();
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

}  // namespace dovanel
