#pragma once
// The about box, which doubles as the start-up splash. Its texts are free
// text in the desktop's own font and size: the box keeps its designed places
// as the least and grows with the desktop font to hold them whole.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace dovanel {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // `readyToEnd` is asked before its update check ends the program.
    explicit AboutBox(QWidget* parent = nullptr, std::function<bool()> readyToEnd = {});

    // The splash form: no title, no buttons, the notices a little lower.
    void MakeSplash();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BtnOk_Click();
    // Sizes the texts and buttons to the desktop's font and the box around them.
    void LayOut();

    QLabel* lblVersion_;
    QLabel* lblLegal_;
    QPushButton* btnOk_;
    QPushButton* btnCheckForUpdates_;
};

}  // namespace dovanel
