#include "ui/editors/fee_table_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QToolButton>
#include <cmath>
#include <cstdlib>

#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/artwork.h"
#include "shell/fitting.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

// Where the two editors differ.
struct FeeEditorDesign {
    const char* form;
    const char* caption;
    QSize client;
    const char* header;
    QColor headerText;
    int inputTop;
    int fourthTop;
    int fifthTop;
    int amountLeft;
    int feeLeft;
    QColor inputText;
    QColor displayText;
    QPoint inputMark;
    QColor inputMarkText;
    QPoint up;
    QPoint down;
    bool feeFirst;  // tab order of the input cells
    const char* instructions;
    const char* warning;
    DataFile file;
};

namespace {

const QColor kGrey(128, 128, 128);

const FeeEditorDesign kEscrow = {"EscrowChange",
                                 "Change Escrow Fees Table",
                                 {6330, 6255},
                                 "Purchase Price   Escrow Fee",
                                 Qt::white,
                                 1350,
                                 1650,
                                 1875,
                                 1680,
                                 3000,
                                 Qt::black,
                                 kGrey,
                                 {720, 1400},
                                 Qt::white,
                                 {4440, 1050},
                                 {4440, 1500},
                                 true,
                                 "The table initially shows the lowest set of values.  To increase "
                                 "values, click the Up Arrow until the values you "
                                 "want to change are shown.  Move the cursor to the appropriate "
                                 "\"Purchase Price\" or \"Escrow Fee\" field, and "
                                 "then click that field to activate it.  After you have made "
                                 "changes, use the Tab key on your keyboard to activate "
                                 "the cell next to it.  If you press Tab from the \"Purchase "
                                 "Price\" field, it activates the \"Escrow Fee\" cell "
                                 "and advances to the next item in the table.",
                                 "Just like the real world, the real estate available on this "
                                 "screen is limited.  Use the Up Arrow on your "
                                 "keyboard to increment the table.",
                                 DataFile::Escrow};

const FeeEditorDesign kTitle = {"TitleChange",
                                "Change Title Fees Table",
                                {6090, 6105},
                                "  Loan Amount      Title Fee",
                                Qt::black,
                                1400,
                                1700,
                                1950,
                                1800,
                                3120,
                                Qt::red,
                                QColor(),
                                {840, 1440},
                                Qt::black,
                                {4560, 1080},
                                {4560, 1560},
                                false,
                                "The table initially shows the lowest set of values.  To increase "
                                "values, click the Up Arrow until the values you "
                                "want to change are shown.  Move the cursor to the appropriate "
                                "\"Loan Amount\" or \"Title Fee\" field, and then "
                                "click that field to activate it.  After you have made changes, "
                                "use the Tab key on your keyboard to activate the "
                                "cell next to it.  If you press Tab from the \"Loan Amount\" "
                                "field, it activates the \"Escrow Fee\" cell and "
                                "advances to the next item in the table.",
                                "you're about to go out of the visual range of this screen.  Use "
                                "the Arrow-Up Key to increment the table.",
                                DataFile::Title};

// The view offset keeps every shown slot (v - 1 .. v + 3) inside -20 .. 120.
constexpr int kLowestView = -19;
constexpr int kHighestView = 117;
// Page Up and Page Down scroll by the five rows shown.
constexpr int kPageRows = 5;

QString AmountText(Single amount) {
    return QString::fromStdString(PlainNumber(amount));
}
QString FeeText(Single fee) {
    return QString::fromStdString(FormatValue(fee, "#,###.#0"));
}

// A fee cell's text read back: its thousands separators do not end the number.
double FeeValue(QString text) {
    return LeadingNumber(text.remove(',').toStdString());
}

const FeeEditorDesign& DesignOf(FeeTableEditor::Kind kind) {
    return kind == FeeTableEditor::Kind::Escrow ? kEscrow : kTitle;
}

}  // namespace

FeeTableEditor::FeeTableEditor(Kind kind, LenderSettings& settings, QWidget* parent)
    : Screen(parent, {DesignOf(kind).form, DesignOf(kind).caption, DesignOf(kind).client, "DOWN",
                      help_topic::kSchedules}),
      design_(DesignOf(kind)),
      settings_(settings),
      table_(kind == Kind::Escrow ? settings.escrowFees : settings.titleFees) {
    RestoreOnCancel(table_);
    BuildTable();
    // At opening the rows above the input show "0", whatever their slots hold.
    Refresh();
    for (QLineEdit* cell : amountShown_.values() + feeShown_.values())
        if (cell->objectName().endsWith("_0") || cell->objectName().endsWith("_1"))
            cell->setText("0");
    auto* ok =
        AddButton(this, "BtnOk", "&Ok", Twips(1800, design_.client.height() - 600, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel",
                             Twips(3360, design_.client.height() - 600, 1095, 375));
    connect(ok, &QPushButton::clicked, this, [this] {
        SaveSettingsFile(this, design_.file, settings_);  // only rows 1..120 are written
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls(true, true);
    SetUpKeys();
    FirstCell()->setFocus();
}

QLineEdit* FeeTableEditor::FirstCell() const {
    return design_.feeFirst ? feeInput_ : amountInput_;
}
QLineEdit* FeeTableEditor::SecondCell() const {
    return design_.feeFirst ? amountInput_ : feeInput_;
}

// Tab goes through the two input cells, then the arrows, Ok and Cancel; Tab in
// the second cell comes back to the first, so that typing row after row never
// leaves the table (Shift+Tab from the first cell reaches the buttons). Up,
// Down, Page Up and Page Down scroll the table wherever the focus is.
void FeeTableEditor::SetUpKeys() {
    QWidget* order[] = {FirstCell(),
                        SecondCell(),
                        findChild<QWidget*>("Picture2"),
                        findChild<QWidget*>("Picture1"),
                        findChild<QWidget*>("BtnOk"),
                        findChild<QWidget*>("BtnCancel")};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        if (i > 0) setTabOrder(order[i - 1], order[i]);
        if (order[i] != amountInput_) order[i]->installEventFilter(this);  // it has it already
    }
}

// The rows a key scrolls by, up (positive) or down; 0 for other keys.
int FeeTableEditor::RowsScrolledBy(const QKeyEvent* key) {
    if (key->modifiers() & ~Qt::KeypadModifier) return 0;
    switch (key->key()) {
        case Qt::Key_Up:
            return 1;
        case Qt::Key_Down:
            return -1;
        case Qt::Key_PageUp:
            return kPageRows;
        case Qt::Key_PageDown:
            return -kPageRows;
        default:
            return 0;
    }
}

// A key the table takes: scrolling, Tab back to the first cell, Enter on an arrow.
bool FeeTableEditor::TableKey(QObject* watched, const QKeyEvent* key) {
    if (const int rows = RowsScrolledBy(key)) {
        for (int i = 0; i < std::abs(rows); ++i) {
            const int before = view_;
            rows > 0 ? StepUp() : StepDown();
            if (view_ == before) break;  // at the end of the table: one beep is enough
        }
        return true;
    }
    if (watched == SecondCell() && key->key() == Qt::Key_Tab &&
        key->modifiers() == Qt::NoModifier) {
        FirstCell()->setFocus(Qt::TabFocusReason);
        return true;
    }
    auto* arrow = qobject_cast<QToolButton*>(watched);
    if (arrow && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        arrow->click();
        return true;
    }
    return false;
}

void FeeTableEditor::BuildTable() {
    const FeeEditorDesign& d = design_;
    AddPanel(this, "pnlTable", Twips(360, 360, 4800, 1980), QColor(192, 192, 192), Qt::black, 45,
             60);
    // Each column's title stands over its own column of cells.
    auto* header =
        Place(new ColumnHeading(d.header, {0, TwipsToPixels(d.feeLeft - d.amountLeft)}, this),
              "lblHeader", Twips(d.amountLeft, 480, 2655, 300));
    SetColors(header, d.headerText, kGrey);
    SetColors(
        AddLabel(this, "lblInput", "Input >>", Twips(d.inputMark.x(), d.inputMark.y(), 900, 240)),
        d.inputMarkText, kGrey);
    const int tops[5] = {840, 1080, d.inputTop, d.fourthTop, d.fifthTop};
    for (int row : {0, 1, 3, 4}) {
        auto shown = [&](const QString& name, int left) {
            QLineEdit* cell = AddCell(this, name, Twips(left, tops[row], 1335, 240));
            cell->setReadOnly(true);
            cell->setFocusPolicy(Qt::NoFocus);
            if (d.displayText.isValid()) SetColors(cell, d.displayText, Qt::white);
            return cell;
        };
        amountShown_[row] = shown(QString("DisplayAmount_%1").arg(row), d.amountLeft);
        feeShown_[row] = shown(QString("DisplayFee_%1").arg(row), d.feeLeft);
    }
    amountInput_ = AddCell(this, "Text2", Twips(d.amountLeft, d.inputTop, 1335, 285));
    feeInput_ = AddCell(this, "Text1", Twips(d.feeLeft, d.inputTop, 1335, 285));
    NameCells();
    for (QLineEdit* cell : {amountInput_, feeInput_}) SetColors(cell, d.inputText, Qt::white);
    if (d.feeFirst)
        setTabOrder(feeInput_, amountInput_);
    else
        setTabOrder(amountInput_, feeInput_);
    connect(amountInput_, &QLineEdit::textChanged, this, [this](const QString& text) {
        StoreNumber(table_.amount[view_ + 1], LeadingNumber(text.toStdString()));
    });
    connect(feeInput_, &QLineEdit::textChanged, this,
            [this](const QString& text) { StoreNumber(table_.fee[view_ + 1], FeeValue(text)); });
    amountInput_->installEventFilter(this);

    auto arrow = [&](const char* name, QPoint at, bool up) {
        auto* button = Place(new QToolButton(this), name, Twips(at.x(), at.y(), 480, 420));
        button->setIcon(QIcon(ArrowPicture(64, up)));
        button->setIconSize(button->size() - QSize(6, 6));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAccessibleName(up ? "Up Arrow" : "Down Arrow");
        connect(button, &QToolButton::clicked, this, [this, up] { up ? StepUp() : StepDown(); });
    };
    arrow("Picture2", d.up, true);
    arrow("Picture1", d.down, false);
    auto* instructions =
        AddLabel(this, "lblInstructions", d.instructions, Twips(360, 2640, 4800, 2520));
    instructions->setWordWrap(true);
    instructions->setMargin(TwipsToPixels(90));
    SetColors(instructions, Qt::black, QColor(224, 224, 224));
}

// The header's two column names name the cells; the shown rows count from the top.
void FeeTableEditor::NameCells() {
    const QStringList columns =
        QString(design_.header).trimmed().split(QRegularExpression("\\s{2,}"));
    amountInput_->setAccessibleName(columns.value(0) + ", input row");
    feeInput_->setAccessibleName(columns.value(1) + ", input row");
    for (int row : {0, 1, 3, 4}) {
        amountShown_[row]->setAccessibleName(columns.value(0) + QString(", row %1").arg(row + 1));
        feeShown_[row]->setAccessibleName(columns.value(1) + QString(", row %1").arg(row + 1));
    }
}

// Showing a slot must not change it: the cells are set with their change handlers quiet.
void FeeTableEditor::Refresh() {
    const int slot[5] = {view_ - 1, view_, view_ + 1, view_ + 2, view_ + 3};
    for (int row : {0, 1, 3, 4}) {
        amountShown_[row]->setText(AmountText(table_.amount[slot[row]]));
        feeShown_[row]->setText(FeeText(table_.fee[slot[row]]));
    }
    const QSignalBlocker quietAmount(amountInput_);
    const QSignalBlocker quietFee(feeInput_);
    amountInput_->setText(AmountText(table_.amount[slot[2]]));
    feeInput_->setText(FeeText(table_.fee[slot[2]]));
}

void FeeTableEditor::StepUp() {
    if (view_ >= kHighestView) {
        QApplication::beep();
        return;
    }
    ++view_;
    Refresh();
}

void FeeTableEditor::StepDown() {
    if (view_ <= kLowestView) {
        QApplication::beep();
        return;
    }
    if (view_ == -2) Message(this, design_.warning, {}, MsgIcon::Warning);
    --view_;
    Refresh();
}

// Leaving the amount cell by Tab (or Enter, which tabs) moves on to the next
// row of the table; a click elsewhere leaves the row where it is, so a fee
// typed after clicking its cell lands in the row shown.
bool FeeTableEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == amountInput_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason)
        StepUp();
    if (event->type() == QEvent::KeyPress && TableKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return Screen::eventFilter(watched, event);
}

}  // namespace dovanel
