#pragma once
// The Quick Start window: four paragraphs about the program and the choice of
// seeing them at every start. The choice is written whenever the window closes.

#include <QDialog>

class QCheckBox;

namespace dovanel {

class QuickStart : public QDialog {
    Q_OBJECT
  public:
    explicit QuickStart(QWidget* parent = nullptr);

    static const char* const kParagraphs[4];

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void btnCloseWindow_Click();

    QCheckBox* chkDoNotShowAgain_;
    bool activated_ = false;
    bool saved_ = false;
};

}  // namespace dovanel
