#pragma once
// What the window tests share: a scripted platform that answers message boxes
// from a script and fails the test on a box nobody expected, a recorder of help
// topics, and a data folder of its own filled with the installed files.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <functional>
#include <utility>

#include "data/load.h"
#include "engine/recalculate.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/page_printer.h"
#include "shell/platform.h"
#include "tests/ui/document_of.h"

namespace dovanel::test {

// The permission bits Qt adds for the user running the tests (root may write
// anything), beside the file's own bits.
inline const QFileDevice::Permissions kForThisUser =
    QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;

// Every service is recorded or scripted; only the busy pointer is left out.
class ScriptedPlatform : public QuietPlatform {
  public:
    struct Started {
        QString program;
        QStringList arguments;
        QString folder;
    };

    std::vector<MessageRequest> asked;
    std::deque<MsgAnswer> answers;
    // Answers the questions once `answers` is used up, when set.
    std::function<MsgAnswer(const MessageRequest&)> answerWith;
    std::vector<QString> sounds;
    std::vector<Started> started;
    std::vector<QString> opened;
    bool startSucceeds = true;
    bool browserOpens = true;
    bool ended = false;
    int beeps = 0;
    double paused = 0;

    MsgAnswer ShowMessage(QWidget*, const MessageRequest& request) override {
        asked.push_back(request);
        if (!answers.empty()) {
            const MsgAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if (answerWith) return answerWith(request);
        if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        ADD_FAILURE() << "unexpected question: " << request.text.toStdString();
        return request.defaultButton;
    }
    bool StartProgram(const QString& program, const QStringList& arguments,
                      const QString& folder) override {
        started.push_back({program, arguments, folder});
        return startSucceeds;
    }
    bool OpenUrl(const QString& url) override {
        opened.push_back(url);
        return browserOpens;
    }
    void PlaySound(const QString& path) override { sounds.push_back(QFileInfo(path).fileName()); }
    void Pause(double seconds) override { paused += seconds; }
    void Beep() override { ++beeps; }
    void EndProgram() override { ended = true; }
    std::unique_ptr<PagePrinter> ChoosePrinter(QWidget*) override {
        ++printerDialogs;
        if (!printer) return nullptr;
        return std::make_unique<Forwarding>(*std::exchange(printer, nullptr));
    }

    QString ChooseSaveFile(QWidget*, const QString& caption, const QString& suggestedPath,
                           const QString&) override {
        saveDialogs.push_back({caption, suggestedPath});
        if (saveAnswers.empty()) return QString();
        const QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }

    QString ChooseOpenFile(QWidget*, const QString&, const QString& folder,
                           const QString& filter) override {
        openDialogs.push_back({folder, filter});
        if (openAnswers.empty()) return QString();
        const QString answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }

    struct SaveDialog {
        QString caption;
        QString suggestedPath;
    };
    std::vector<SaveDialog> saveDialogs;
    std::deque<QString> saveAnswers;  // what the next save dialogs give; none left: cancelled
    struct OpenDialog {
        QString folder;
        QString filter;
    };
    std::vector<OpenDialog> openDialogs;
    std::deque<QString> openAnswers;  // what the next open dialogs give; none left: cancelled

    int printerDialogs = 0;
    PagePrinter* printer =
        nullptr;  // what the next printer dialog gives (the test keeps it); none: cancelled

  private:
    // Hands the print job a printer that stays the test's to inspect afterwards.
    struct Forwarding : PagePrinter {
        explicit Forwarding(PagePrinter& p) : to(p) {}
        PrintError SetFontName(const QString& name) override { return to.SetFontName(name); }
        PrintError SetFontSize(double points) override { return to.SetFontSize(points); }
        PrintError SetBold(bool bold) override { return to.SetBold(bold); }
        PrintError SetItalic(bool italic) override { return to.SetItalic(italic); }
        PrintError SetX(double twips) override { return to.SetX(twips); }
        PrintError Print(const QString& text, bool endLine) override {
            return to.Print(text, endLine);
        }
        double TextWidth(const QString& text) override { return to.TextWidth(text); }
        PrintError EndDocument() override { return to.EndDocument(); }
        PagePrinter& to;
    };

  public:
    QString LastText() const { return asked.empty() ? QString() : asked.back().text; }
};

// A test with its own program and data folders and a scripted platform.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : scope_(platform) {
        saved_ = App();
        App().programFolder = QString(DOVANEL_PROGRAM_FOLDER);
        App().helpFile = App().programFolder + "help/";
        App().dataFolder = dataDir_.path() + "/";
        App().settingsFile = App().dataFolder + "DV.INI";
        App().showQuickStart = false;
        for (const QString& name : QDir(DOVANEL_INSTALLED_DATA).entryList(QDir::Files))
            QFile::copy(QString(DOVANEL_INSTALLED_DATA) + name, App().dataFolder + name);
        for (const QString& name : QDir(App().dataFolder).entryList(QDir::Files))
            QFile::setPermissions(App().dataFolder + name,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    ~WindowTest() override { App() = saved_; }

    QString DataFile(const QString& name) const { return App().dataFolder + name; }

    // Loads the installed data files into `model` and recalculates, as the main window's load does.
    void LoadInstalled(Model& model) {
        struct Silent : LoadQuestions {
            void MissingFile(const std::string&) override {}
            LoadAnswer LoadFailed(const std::string&) override { return LoadAnswer::Abort; }
            void Notice(const std::string&) override {}
        } silent;
        ASSERT_EQ(LoadAllDataFiles(model, App().dataFolder.toStdString(), silent, 2026),
                  LoadOutcome::Complete);
        Recalculate(model);
    }

    QByteArray FileBytes(const QString& name) const {
        QFile f(DataFile(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // With DOVANEL_SCREENSHOTS set to a folder, saves a picture of the window there.
    static void Screenshot(QWidget* window, const QString& name) {
        const QString folder = qEnvironmentVariable("DOVANEL_SCREENSHOTS");
        if (!folder.isEmpty()) window->grab().save(folder + "/" + name + ".png");
    }

    ScriptedPlatform platform;
    HelpRecorder help;

  private:
    ScopedPlatform scope_;
    QTemporaryDir dataDir_;
    AppContext saved_;
};

}  // namespace dovanel::test
