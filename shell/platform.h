#pragma once
// The platform services every window uses, behind one small interface so that
// windows stay testable: tests put a scripted platform in place that answers
// message boxes from a script and records what was asked.

#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace dovanel {

class PagePrinter;

enum class MsgIcon { None, Information, Warning, Question, Critical };
// SaveDiscardCancel: the question before a document with unsaved changes is
// closed (Save, Discard and Cancel, each with the desktop's own caption).
enum class MsgButtons {
    Ok,
    OkCancel,
    YesNo,
    AbortRetryIgnore,
    YesNoCancel,
    RetryCancel,
    SaveDiscardCancel
};
enum class MsgAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore, Save, Discard };

struct MessageRequest {
    QString text;   // a carriage return breaks the line
    QString title;  // empty: the program's name
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultButton = MsgAnswer::Ok;
    // Texts hold names from outside the program: a folder called "x<b>bold"
    // must read as written.
    Qt::TextFormat textFormat = Qt::PlainText;
    // What Escape and the close box answer, when it is not the box's own
    // Cancel (or No, or Abort): a question whose No loses data says "go back"
    // (Cancel) here, even without a Cancel button.
    std::optional<MsgAnswer> escapeAnswer = std::nullopt;
};

// The answer of a box closed by Escape or its close box: the request's own
// escape answer, else the answer that changes nothing (Cancel, No, Abort, Ok).
MsgAnswer EscapeAnswer(const MessageRequest& request);

class Platform {
  public:
    virtual ~Platform() = default;

    virtual MsgAnswer ShowMessage(QWidget* parent, const MessageRequest& request) = 0;
    // The hourglass pointer over the whole program, or the normal one again.
    virtual void SetBusy(bool busy) = 0;
    // Starts a program with arguments (never through a shell); true when it started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) = 0;
    // Opens a web address with the desktop's browser; true when it opened.
    virtual bool OpenUrl(const QString& url) = 0;
    // Plays a wave file to its end; silently nothing when it or the audio device is missing.
    virtual void PlaySound(const QString& path) = 0;
    // Sleeps, with pending window events processed before and after.
    virtual void Pause(double seconds) = 0;
    // The system's warning sound for a refused keystroke.
    virtual void Beep() = 0;
    // Ends the program at once, without any question.
    virtual void EndProgram() = 0;
    // The printer dialog: the printer the user chose, with the chosen
    // orientation, or none when the dialog was cancelled.
    virtual std::unique_ptr<PagePrinter> ChoosePrinter(QWidget* parent) = 0;
    // The save-file dialog, opened at `suggestedPath`: the path chosen, or an
    // empty text when the dialog was cancelled.
    virtual QString ChooseSaveFile(QWidget* /*parent*/, const QString& /*caption*/,
                                   const QString& /*suggestedPath*/, const QString& /*filter*/) {
        return {};
    }
    // The open-file dialog, opened in `folder`: the path chosen, or an empty
    // text when the dialog was cancelled.
    virtual QString ChooseOpenFile(QWidget* /*parent*/, const QString& /*caption*/,
                                   const QString& /*folder*/, const QString& /*filter*/) {
        return {};
    }
};

// A platform that asks nobody and does nothing: every question gets its default
// answer, no program or page opens, no sound, pause or end, no printer.
// Platforms that differ in a few services start from it.
class QuietPlatform : public Platform {
  public:
    MsgAnswer ShowMessage(QWidget*, const MessageRequest& request) override {
        return request.defaultButton;
    }
    void SetBusy(bool) override {}
    bool StartProgram(const QString&, const QStringList&, const QString&) override { return false; }
    bool OpenUrl(const QString&) override { return false; }
    void PlaySound(const QString&) override {}
    void Pause(double) override {}
    void Beep() override {}
    void EndProgram() override {}
    std::unique_ptr<PagePrinter> ChoosePrinter(QWidget*) override;
};

// The platform the program runs on; tests swap it with ScopedPlatform.
Platform& ThePlatform();

// Puts a platform in place for the lifetime of this object.
class ScopedPlatform {
  public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

  private:
    Platform* previous_;
};

// Shorthands for the message boxes the program shows.
MsgAnswer Message(QWidget* parent, const QString& text, const QString& title = {},
                  MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
                  MsgAnswer defaultButton = MsgAnswer::Ok);

// The screen font the printouts measure their texts with: 8.25 pt bold
// sans-serif, asked for as Arial so that the metric-compatible Liberation Sans
// is used where it is installed. The windows themselves use WindowFont()
// (shell/fitting.h), sized for the desktop's own sans-serif.
QFont FormFont();

// Converts twips (1/1440 inch) to device pixels at the screen's logical dpi:
// 15 twips a pixel at 96 dpi.
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

}  // namespace dovanel
