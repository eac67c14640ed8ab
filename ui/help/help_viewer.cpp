#include "ui/help/help_viewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/ini_file.h"
#include "shell/write_failure.h"

namespace dovanel {

namespace {

// The viewer's size lives in the program's settings file, in a section of its own.
const char kViewerSection[] = "Help Viewer";
const char kViewerSizeKey[] = "Size";
const QSize kViewerDefaultSize(640, 560);
const QUrl kContentsUrl("dovanel-help:contents");

QSize StoredViewerSize() {
    const QString text = QString::fromStdString(
        ReadIniString(kViewerSection, kViewerSizeKey, "", App().settingsFile.toStdString()));
    const QStringList parts = text.split('x');
    if (parts.size() != 2) return kViewerDefaultSize;
    const QSize size(parts[0].toInt(), parts[1].toInt());
    return size.width() >= 200 && size.height() >= 150 ? size : kViewerDefaultSize;
}

// The title of a help page, read from its <title> element.
QString PageTitle(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression title("<title>([^<]*)</title>",
                                          QRegularExpression::CaseInsensitiveOption);
    const auto match = title.match(QString::fromUtf8(file.read(4096)));
    return match.hasMatch() ? match.captured(1).trimmed() : QFileInfo(path).baseName();
}

// Every topic of the help folder, in the order of their numbers.
QString ContentsPage() {
    QList<int> topics;
    for (const QString& name : QDir(App().helpFile).entryList({"topic*.html"}, QDir::Files))
        topics.append(name.mid(5, name.size() - 10).toInt());
    std::sort(topics.begin(), topics.end());
    QString html = "<html><head><title>All Topics</title></head><body><h2>All Topics</h2><ul>";
    for (int topic : topics) {
        const QString path = HelpTopicPath(App().helpFile, topic);
        html += QString("<li><a href=\"%1\">%2</a></li>")
                    .arg(QUrl::fromLocalFile(path).toString(), PageTitle(path).toHtmlEscaped());
    }
    return html + "</ul></body></html>";
}

class HelpBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override {
        if (name == kContentsUrl) return ContentsPage();
        return QTextBrowser::loadResource(type, name);
    }
};

// One viewer for the whole program. It belongs to the main window, so it
// outlives every screen; while a modal screen is open, the viewer stands as
// that screen's own window so that the screen does not block it.
class HelpViewer : public QDialog {
  public:
    explicit HelpViewer(QWidget* owner) : QDialog(owner, Qt::Window) {
        setObjectName("HelpViewer");
        resize(StoredViewerSize());
        browser_ = new HelpBrowser(this);
        browser_->setObjectName("HelpBrowser");
        browser_->setAccessibleName("Help topic");
        browser_->verticalScrollBar()->setAccessibleName("Scroll the topic up and down");
        browser_->horizontalScrollBar()->setAccessibleName("Scroll the topic sideways");
        browser_->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addLayout(BuildButtons());
        layout->addWidget(browser_);
        connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
            setWindowTitle(QString(App().productName) + " Help - " + browser_->documentTitle());
        });
        for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { StandBesideModal(); });
    }

    ~HelpViewer() override {
        if (isVisible()) KeepSize();
    }

    void Show(const QUrl& page) {
        browser_->setSource(page);
        browser_->setFocus();
        show();
        StandBesideModal();
        raise();
        activateWindow();
    }

    // The window a modal screen does not block: its own, or the main window's.
    void StandBesideModal() {
        if (!isVisible() || !windowHandle()) return;
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* owner = modal && modal != this ? modal : parentWidget();
        if (owner && owner->windowHandle() && owner->windowHandle() != windowHandle())
            windowHandle()->setTransientParent(owner->windowHandle());
    }

  protected:
    // Backspace and Alt+Left go back, Alt+Right forward, wherever the focus is.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && Navigate(static_cast<QKeyEvent*>(event)))
            return true;
        return QDialog::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!Navigate(event)) QDialog::keyPressEvent(event);
    }

    void hideEvent(QHideEvent* event) override {
        QDialog::hideEvent(event);
        KeepSize();
    }

  private:
    // The size is kept when the viewer is closed, or when the program ends with it open.
    // A failed write is told once a session, after the viewer has gone.
    void KeepSize() {
        if (size() == StoredViewerSize()) return;
        const WriteResult written =
            WriteIniString(kViewerSection, kViewerSizeKey,
                           QString("%1x%2").arg(width()).arg(height()).toStdString(),
                           App().settingsFile.toStdString());
        if (!written && !QCoreApplication::closingDown())
            QTimer::singleShot(0, qApp,
                               [written] { ReportSettingsWriteFailure(nullptr, written); });
    }

    bool Navigate(const QKeyEvent* key) {
        const bool alt = key->modifiers() == Qt::AltModifier;
        if ((key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) ||
            (alt && key->key() == Qt::Key_Left))
            browser_->backward();
        else if (alt && key->key() == Qt::Key_Right)
            browser_->forward();
        else
            return false;
        return true;
    }

    QHBoxLayout* BuildButtons() {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(4, 4, 4, 4);
        auto add = [&](const char* name, const char* caption, auto slot) {
            auto* button = new QPushButton(caption, this);
            button->setObjectName(name);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, slot);
            row->addWidget(button);
            return button;
        };
        auto* back = add("btnBack", "&Back", [this] { browser_->backward(); });
        auto* forward = add("btnForward", "&Forward", [this] { browser_->forward(); });
        add("btnHome", "&Home", [this] {
            browser_->setSource(
                QUrl::fromLocalFile(HelpTopicPath(App().helpFile, help_topic::kContents)));
        });
        add("btnContents", "&Contents", [this] { browser_->setSource(kContentsUrl); });
        row->addStretch();
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        return row;
    }

    HelpBrowser* browser_ = nullptr;
};

QWidget* MainWindowOfProgram() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmMain") return top;
    return nullptr;
}

QPointer<HelpViewer> viewer;

HelpViewer* Viewer() {
    QWidget* owner = MainWindowOfProgram();
    if (viewer && viewer->parentWidget() != owner) delete viewer;
    if (!viewer) viewer = new HelpViewer(owner);
    return viewer;
}

}  // namespace

void ShowHelpPage(const QString& page) {
    Viewer()->Show(QUrl::fromLocalFile(page));
}

QWidget* HelpViewerWindow() {
    return viewer;
}

void InstallHelpViewer() {
    SetHelpViewer(ShowHelpPage);
}

}  // namespace dovanel
