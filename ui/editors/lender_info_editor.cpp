#include "ui/editors/lender_info_editor.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "data/file_write.h"
#include "data/lender_file.h"
#include "data/load.h"
#include "shell/app_context.h"
#include "shell/help.h"
#include "shell/platform.h"
#include "shell/write_failure.h"

namespace dovanel {

namespace {

struct Field {
    const char* name;
    const char* caption;
    std::string LenderInfo::*value;
    int top;
    bool digits;  // an NMLS ID: digits only
};

const Field kFields[] = {
    {"txtLenderName", "&Lender", &LenderInfo::name, 120, false},
    {"txtLenderNmls", "Lender &NMLS ID", &LenderInfo::nmls, 540, true},
    {"txtOfficerName", "Loan o&fficer", &LenderInfo::officer, 960, false},
    {"txtOfficerNmls", "Officer N&MLS ID", &LenderInfo::officerNmls, 1380, true},
    {"txtPhone", "&Phone", &LenderInfo::phone, 2820, false},
    {"txtEmail", "&E-mail", &LenderInfo::email, 3240, false},
};

constexpr int kAddressTop = 1800;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

LenderInfoEditor::LenderInfoEditor(LenderSettings& settings, QWidget* parent)
    : Screen(parent, {"LenderInfo",
                      "Change the Lender Information",
                      {6720, 4320},
                      "RIGHT",
                      help_topic::kSchedules}),
      settings_(settings) {
    const LenderInfo& lender = settings_.lender;
    for (const Field& f : kFields) {
        QLineEdit* box = AddCell(this, f.name, Twips(2160, f.top, 4440, 315), false);
        AddLabel(this, QString(f.name) + "Caption", f.caption, Twips(120, f.top, 1980, 315))
            ->setBuddy(box);
        box->setAccessibleName(QString(f.caption).remove('&'));
        if (f.digits)
            box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
        SetWholeText(box, Q(lender.*f.value), f.digits ? 12 : 120);
    }
    address_ = Place(new QPlainTextEdit(this), "txtAddress", Twips(2160, kAddressTop, 4440, 900));
    AddLabel(this, "txtAddressCaption", "&Address", Twips(120, kAddressTop, 1980, 315))
        ->setBuddy(address_);
    address_->setAccessibleName("Address");
    address_->setTabChangesFocus(true);
    address_->setPlainText(Q(lender.address));
    auto* ok = AddButton(this, "BtnOk", "&Ok", Twips(4080, 3780, 1200, 375));
    auto* cancel = AddButton(this, "BtnCancel", "&Cancel", Twips(5400, 3780, 1200, 375));
    ok->setDefault(true);  // Enter in a box takes what is typed
    connect(ok, &QPushButton::clicked, this, [this] { BtnOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(findChild<QLineEdit*>("txtOfficerNmls"), address_);
    setTabOrder(address_, findChild<QLineEdit*>("txtPhone"));
    FinishControls(false, false);
    findChild<QLineEdit*>("txtLenderName")->setFocus();
    TellUnreadableFile();
}

// A lender file that is there but cannot be read was taken as no lender at
// start: say so, and what Ok will do with it.
void LenderInfoEditor::TellUnreadableFile() {
    if (App().dataFolder.isEmpty()) return;
    const QString path = App().dataFolder + kLenderFileName;
    LenderInfo unused;
    const ScenarioReadResult read = ReadLenderFile(QFile::encodeName(path).toStdString(), unused);
    if (read) return;
    Message(this,
            QString::fromStdString(
                UnreadableFileText("lender's information", path.toStdString(), read)) +
                "\r\rOk in this window replaces the file with what the window shows.",
            QString(), MsgIcon::Warning);
}

// Takes what is typed; a failed write keeps it in memory and says so.
void LenderInfoEditor::BtnOk_Click() {
    LenderInfo lender;
    for (const Field& f : kFields)
        lender.*f.value = findChild<QLineEdit*>(f.name)->text().trimmed().toStdString();
    lender.address = address_->toPlainText().trimmed().toStdString();
    settings_.lender = lender;
    const QString path = App().dataFolder + kLenderFileName;
    if (!App().dataFolder.isEmpty()) {
        const WriteResult written =
            WriteFileAtomically(QFile::encodeName(path).toStdString(), LenderFileText(lender));
        if (!written.ok) ReportWriteFailure(this, path, written, kValuesKeptInMemory);
    }
    accept();
}

}  // namespace dovanel
