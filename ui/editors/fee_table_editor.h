#pragma once
// The fee table editors (EscrowChange, TitleChange): a five-row window onto a
// graduated fee table with one input row in the middle, scrolled by two arrow
// buttons or the arrow keys. What is typed changes the table in memory at once;
// "&Ok" also writes its file, Cancel puts back the table as it was opened.

#include <QMap>

#include "data/data_files.h"
#include "engine/model.h"
#include "shell/form.h"

class QKeyEvent;
class QLineEdit;

namespace dovanel {

struct FeeEditorDesign;

class FeeTableEditor : public Screen {
    Q_OBJECT
  public:
    enum class Kind { Escrow, Title };
    FeeTableEditor(Kind kind, LenderSettings& settings, QWidget* parent = nullptr);

    int viewOffset() const { return view_; }
    void StepUp();
    void StepDown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildTable();
    void Refresh();
    void NameCells();
    void SetUpKeys();
    QLineEdit* FirstCell() const;
    QLineEdit* SecondCell() const;
    static int RowsScrolledBy(const QKeyEvent* key);
    bool TableKey(QObject* watched, const QKeyEvent* key);

    const FeeEditorDesign& design_;
    LenderSettings& settings_;
    FeeTable& table_;
    Integer view_ = 0;                   // the input row shows slot view_ + 1
    QLineEdit* amountInput_ = nullptr;   // Text2
    QLineEdit* feeInput_ = nullptr;      // Text1
    QMap<int, QLineEdit*> amountShown_;  // display rows 0, 1, 3, 4
    QMap<int, QLineEdit*> feeShown_;
};

}  // namespace dovanel
