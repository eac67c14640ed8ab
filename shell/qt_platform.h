#pragma once
// The platform of a real desktop: Qt message boxes, QProcess, the desktop's
// browser, Qt Multimedia for sounds.

#include "shell/platform.h"

class QMessageBox;

namespace dovanel {

// The message box the desktop platform shows for a request.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRequest& request);

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

  private:
    int busyDepth_ = 0;
};

}  // namespace dovanel
