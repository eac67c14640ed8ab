#include "ui/editors/pmi_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "data/data_files.h"
#include "engine/format_value.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/write_failure.h"
#include "ui/document/scenario_store.h"

namespace dovanel {

namespace {

struct PanelSpec {
    const char* title;
    int left;
    int top;
    IndexArray<Single, 1, 4> PmiSchedule::*rates;
    const char* cells[4];
    const char* bands[4];
};

const PanelSpec kPanels[] = {
    {" PMI Premium: 30 Year Conventional",
     120,
     240,
     &PmiSchedule::conventionalPremium,
     {"Text1", "Text2", "Text3", "Text13"},
     {"Loan-to-Value 80.01% to 85.01%", "Loan-to-Value 85.01%  to 90.01%",
      "Loan-to-Value 90.01%  to 95.01%", "Loan-to-Value 95.01%  to 100%"}},
    {" PMI Premium: 30 Year ARM",
     120,
     3360,
     &PmiSchedule::armPremium,
     {"Text4", "Text5", "Text6", "Text15"},
     {"Loan-to-Value 80.01%  to 85.01%", "Loan-to-Value 85.01% to 90.01%",
      "Loan-to-Value 90.01% to 95.01%", "Loan-to-Value 95.01% to 100%"}},
    {" PMI Monthly: 30 Year Conventional",
     4600,
     240,
     &PmiSchedule::conventionalMonthly,
     {"Text7", "Text8", "Text9", "Text14"},
     {"Loan-to-Value 80.01% to 85.01%", "Loan-to-Value 85.01% to 90.01%",
      "Loan-to-Value 90.01% to 95.01%", "Loan-to-Value 95.01% to 100%"}},
    {" PMI Monthly: 30 Year ARM",
     4600,
     3360,
     &PmiSchedule::armMonthly,
     {"Text10", "Text11", "Text12", "Text16"},
     {"Loan-to-Value 80.01% to 85.01%", "Loan-to-Value 85.01% to 90.01%",
      "Loan-to-Value 90.01% to 95.01%", "Loan-to-Value 95.01% to 100%"}},
};

const QColor kPanelGrey(128, 128, 128);
const QColor kNavy(0, 0, 128);
const QColor kLightYellow(255, 255, 192);
const QColor kDarkPurple(64, 0, 64);

}  // namespace

PmiEditor::PmiEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, {"PMI",
                      "Change Private Mortgage Insurance Schedules",
                      {8895, 6930},
                      "DOWN",
                      help_topic::kSchedules}),
      settings_(settings) {
    RestoreOnCancel(settings_.pmiSchedule);
    QWidget* previous = nullptr;
    for (const PanelSpec& spec : kPanels) {
        QFrame* panel = AddPanel(this, QString("pnl") + spec.cells[0],
                                 Twips(spec.left, spec.top, 4095, 2775), kPanelGrey, kNavy, 50, 50);
        SetColors(AddLabel(panel, "", spec.title, Twips(120, 120, 3855, 360)), kLightYellow, kNavy);
        for (int band = 1; band <= 4; ++band) {
            const int top = 720 + (band - 1) * 480;
            // The band begins left of the design's, its caption a little right of it.
            SetColors(AddLabel(panel, "", spec.bands[band - 1], Twips(75, top, 3045, 300)),
                      Qt::white, kDarkPurple);
            // The cell is wider than the design's to hold seven digits, the "%" after it.
            QLineEdit* cell = AddCell(panel, spec.cells[band - 1], Twips(3135, top, 765, 300));
            SetColors(AddLabel(panel, "", "%", Twips(3915, top, 165, 300)), Qt::white);
            Single& rate = (settings_.pmiSchedule.*spec.rates)[band];
            connect(cell, &QLineEdit::textChanged, this, [&rate](const QString& text) {
                StoreNumber(rate, LeadingNumber(text.toStdString()) * 0.01);
            });
            // Showing a rate never changes it: the cell shows it rounded to three
            // decimals, and only an edit stores what was typed.
            const QSignalBlocker quiet(cell);
            cell->setText(
                QString::fromStdString(FormatValue(static_cast<double>(rate) * 100, "#.#00")));
            if (previous) setTabOrder(previous, cell);
            previous = cell;
        }
    }
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(3360, 6480, 1095, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(4560, 6480, 1095, 375));
    connect(ok, &QPushButton::clicked, this, [this] {
        SaveSettingsFile(this, DataFile::Pmi, settings_);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls(true, true);
    // Every rate is a percentage, as the "%" after its box says.
    for (const PanelSpec& spec : kPanels)
        for (const char* name : spec.cells) {
            auto* cell = findChild<QLineEdit*>(name);
            cell->setAccessibleName(cell->accessibleName() + ", percent");
        }
    findChild<QLineEdit*>("Text1")->setFocus();
}

}  // namespace dovanel
