#pragma once
// Mortgage Comparisons (Compare): two to four loan scenarios side by side. A
// column is the loan of the main window, a scenario file, or a varied copy of
// another column whose inputs are edited here. The engine works out every
// figure (engine/comparison.h); the window shows its texts, marks the cells
// that differ from the first column and the lowest cost of a row, charts the
// cost over time with the break-even months, and exports it all. The set of
// columns is kept in COMPS.DAT for the next time.

#include <functional>
#include <vector>

#include "data/comparison_file.h"
#include "engine/comparison.h"
#include "shell/form.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace dovanel {

class ChartWidget;
class ScenarioDocument;

class Compare : public Screen {
    Q_OBJECT
  public:
    // `keptFile` is COMPS.DAT: read when the window opens, written when it
    // closes; empty keeps nothing.
    Compare(ScenarioDocument& current, QString keptFile, QWidget* parent = nullptr);

    // What the table and the break-even list show.
    int columnCount() const { return static_cast<int>(columns_.size()); }
    int selectedColumn() const { return selected_; }
    const std::vector<ComparisonRow>& rows() const { return rows_; }
    const std::vector<PairBreakEven>& pairs() const { return pairs_; }
    std::vector<std::string> ColumnNames() const;

    // The buttons' work, also for tests. Each says why when it cannot.
    bool AddFile(const QString& path);
    void DuplicateSelected();
    void RemoveSelected();
    void MoveSelected(int by);
    void SelectColumn(int column);
    // Asks for the scenario file "Add File" adds; empty when cancelled.
    void SetFileChooser(std::function<QString(QWidget*)> choose) {
        chooseFile_ = std::move(choose);
    }

    void done(int result) override;

  private:
    struct Column {
        ComparisonColumnRecord record;
        Model model;            // the column's scenario over the lender's settings
        bool modified = false;  // a file column edited here
    };

    void BuildTop();
    void BuildEditor();
    void BuildTables();
    void BuildButtons();
    void LoadKept();
    Column ColumnOf(const ComparisonColumnRecord& record) const;
    ScenarioReadResult ReadFileColumn(Column& column) const;
    void Recompute();
    void ShowTable();
    void ShowBreakEvens();
    void ShowChart();
    void ShowEditor();
    void EditorChanged();
    void Status(const QString& text);
    bool AskToSaveFiles();
    void KeepSet();
    void ExportCsv();
    void SavePdf();
    void Print();
    QString ReportDate() const;

    ScenarioDocument& current_;
    QString keptFile_;
    std::vector<Column> columns_;
    int selected_ = 0;
    bool showing_ = false;  // the editor is being filled, not typed in
    std::vector<ComparisonFigures> figures_;
    std::vector<ComparisonRow> rows_;
    std::vector<PairBreakEven> pairs_;
    std::function<QString(QWidget*)> chooseFile_;

    QSpinBox* horizon_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* source_ = nullptr;
    QComboBox* type_ = nullptr;
    std::vector<QLineEdit*> inputs_;
    QTableWidget* table_ = nullptr;
    QTableWidget* breakEven_ = nullptr;
    ChartWidget* chart_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace dovanel
