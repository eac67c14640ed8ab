#include "ui/income/debt_summary.h"

#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "data/data_files.h"
#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/keys.h"
#include "shell/typing_limit.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

namespace {
QString Plain(Single value) {
    return QString::fromStdString(PlainNumber(value));
}

Single PaymentValue(const QLineEdit* box) {
    const auto value = static_cast<Single>(LeadingNumber(box->text().toStdString()));
    return std::isfinite(value) ? value : 0.0f;
}

// Whether the running total stays within a Single with `text` typed into box `index`.
bool TotalFits(const QList<QLineEdit*>& boxes, int index, const QString& text) {
    const auto typed = static_cast<Single>(LeadingNumber(text.toStdString()));
    Single total = 0;
    for (int i = 0; i < boxes.size(); ++i) total += i == index ? typed : PaymentValue(boxes[i]);
    return std::isfinite(typed) && std::isfinite(total);
}

// The data folder whose DEBT.DAT could not be written at the last Ok: the list
// confirmed then stays in memory instead of being reloaded from the old file.
QString& UnsavedFolder() {
    static QString folder;
    return folder;
}
}  // namespace

DebtSummaryScreen::DebtSummaryScreen(ScenarioDocument& document, QWidget* parent)
    : Screen(parent, {"Debt1", "Debt Summary", {9600, 5520}, "RIGHT", help_topic::kDebtSummary}),
      document_(document),
      model_(document.model()) {
    DataError ignored;  // a missing or unreadable file leaves what memory holds
    if (document_.IsDefaultLoan() && UnsavedFolder() != App().dataFolder)
        LoadDataFile(DataFile::Debt, model_, App().dataFolder.toStdString(), ignored);
    BuildColumns();
    AddLabel(this, "Label4", " Total Monthly Debt:", Twips(5040, 4440, 3120, 285));
    totalLabel_ = AddLabel(this, "Label5", Plain(model_.loanData.monthlyDebt),
                           Twips(8280, 4440, 1095, 285), Qt::AlignRight | Qt::AlignVCenter);
    auto* print = AddButton(this, "btnPrint", "&Print", Twips(240, 4980, 1095, 375));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(3600, 4980, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(4800, 4980, 1095, 375));
    auto* help = AddButton(this, "btnHelp", "Help  [F1]", Twips(8280, 4980, 1095, 375));
    connect(print, &QPushButton::clicked, this, &DebtSummaryScreen::printRequested);
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(help_topic::kDebtSummary); });
    FinishControls(true, false);
    for (QLineEdit* box : payments_) box->installEventFilter(new KeyPreview(box, {false, true}));
    descriptions_.first()->setFocus();
}

void DebtSummaryScreen::BuildColumns() {
    for (int column = 0; column < 2; ++column) {
        const int left = column == 0 ? 240 : 5040;
        AddLabel(this, "", "Description / Account #", Twips(left, 300, 3135, 285));
        AddLabel(this, "", "Monthly Pmt.", Twips(left + 3240, 300, 1095, 285),
                 Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int i = 0; i < DebtSummary::items; ++i) {
        const bool left = i < 16;
        const int top = 600 + (left ? i : i - 16) * 240;
        QLineEdit* description = AddCell(this, QString("Text1_%1").arg(i),
                                         Twips(left ? 240 : 5040, top, 3135, 240), false);
        QLineEdit* payment =
            AddCell(this, QString("Text2_%1").arg(i), Twips(left ? 3480 : 8280, top, 1095, 240));
        description->setAccessibleName(QString("Description / Account #, line %1").arg(i + 1));
        payment->setAccessibleName(QString("Monthly Pmt., line %1").arg(i + 1));
        description->setText(QString::fromStdString(model_.debtSummary.itemName[i]));
        payment->setText(Plain(model_.debtSummary.itemAmount[i]));
        connect(payment, &QLineEdit::textChanged, this, [this] { RunTotal(); });
        TypingLimit::Install(
            payment, 0, [this, i](const QString& text) { return TotalFits(payments_, i, text); });
        if (!descriptions_.isEmpty()) setTabOrder(payments_.last(), description);
        setTabOrder(description, payment);
        descriptions_.append(description);
        payments_.append(payment);
    }
}

// The total over the boxes in order, in single precision, as plain digits.
void DebtSummaryScreen::RunTotal() {
    total_ = 0;
    for (const QLineEdit* box : payments_) total_ += PaymentValue(box);
    totalLabel_->setText(Plain(total_));
}

void DebtSummaryScreen::BtnOk_Click() {
    RunTotal();
    model_.loanData.monthlyDebt = total_;
    for (int i = 0; i < DebtSummary::items; ++i) {
        model_.debtSummary.itemName[i] = descriptions_[i]->text().toStdString();
        model_.debtSummary.itemAmount[i] = PaymentValue(payments_[i]);
    }
    const bool saved = ConfirmScenarioPart(this, document_, DataFile::Debt);
    if (document_.IsDefaultLoan()) UnsavedFolder() = saved ? QString() : App().dataFolder;
    accept();
}

}  // namespace dovanel
