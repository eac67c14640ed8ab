#pragma once
// The platform of a real desktop: Qt message boxes, QProcess, the desktop's
// browser, Qt Multimedia for sounds.

#include <memory>

#include "shell/platform.h"

#include <QHash>
#include <QPointer>
#include <QString>

class QMessageBox;
class QSoundEffect;

namespace dovanel {

// The message box for a request, its text always plain (never HTML).
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRequest& request);

// The length in seconds of a wave file's sound, from its header; negative when
// the file is missing or no wave file.
double WaveSeconds(const QString& path);
// How long playing a sound of that length may hold the program up: its length
// and a margin, never more than the longest wait (a header may claim hours).
inline constexpr int kSoundMarginMs = 150;
inline constexpr int kLongestSoundWaitMs = 5000;
int SoundWaitMs(double seconds);

class QtPlatform : public Platform {
  public:
    MsgAnswer ShowMessage(QWidget* parent, const MessageRequest& request) override;
    void SetBusy(bool busy) override;
    bool StartProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override;
    bool OpenUrl(const QString& url) override;
    void PlaySound(const QString& path) override;
    void Pause(double seconds) override;
    void Beep() override;
    void EndProgram() override;
    std::unique_ptr<PagePrinter> ChoosePrinter(QWidget* parent) override;
    QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                           const QString& filter) override;
    QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& folder,
                           const QString& filter) override;

  private:
    QSoundEffect* Effect(const QString& path);

    int busyDepth_ = 0;
    QHash<QString, QPointer<QSoundEffect>> effects_;
};

}  // namespace dovanel
