#include "shell/write_failure.h"

#include "shell/app_context.h"
#include "shell/platform.h"

namespace dovanel {

namespace {

MessageRequest FailureRequest(const QString& path, const WriteResult& result,
                              const QString& consequence) {
    MessageRequest request;
    request.text = WriteFailureText(path, result, consequence);
    request.title = App().productName;
    request.icon = MsgIcon::Warning;
    request.textFormat = Qt::PlainText;
    return request;
}

}  // namespace

QString WriteFailureText(const QString& path, const WriteResult& result,
                         const QString& consequence) {
    QString reason = QString::fromStdString(result.reason);
    if (reason.isEmpty()) reason = "Unknown error";
    QString text = "The file could not be saved:\r" + path + "\r\rReason: " + reason + ".";
    if (!consequence.isEmpty()) text += "\r\r" + consequence;
    return text;
}

void ReportWriteFailure(QWidget* parent, const QString& path, const WriteResult& result,
                        const QString& consequence) {
    ThePlatform().ShowMessage(parent, FailureRequest(path, result, consequence));
}

bool AskRetryWrite(QWidget* parent, const QString& path, const WriteResult& result,
                   const QString& consequence) {
    MessageRequest request = FailureRequest(path, result, consequence);
    request.buttons = MsgButtons::RetryCancel;
    request.defaultButton = MsgAnswer::Retry;
    return ThePlatform().ShowMessage(parent, request) == MsgAnswer::Retry;
}

bool SaveDataFileReported(QWidget* parent, DataFile file, const Model& model) {
    const QString folder = App().dataFolder;
    const WriteResult result = SaveDataFile(file, model, folder.toStdString());
    if (!result) ReportWriteFailure(parent, folder + FileName(file), result, kValuesKeptInMemory);
    return result.ok;
}

void ReportSettingsWriteFailure(QWidget* parent, const WriteResult& result) {
    if (result || App().settingsFailureReported) return;
    App().settingsFailureReported = true;
    ReportWriteFailure(parent, App().settingsFile, result,
                       "The setting applies until the program ends.");
}

}  // namespace dovanel
