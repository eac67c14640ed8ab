#include "shell/app_context.h"

#include "engine/model.h"
#include "shell/ini_file.h"

namespace dovanel {

namespace {
const char kSection[] = "General";
const char kQuickStartKey[] = "Show Quick Start Information";
}  // namespace

AppContext& App() {
    static AppContext app{
        kProductName, DOVANEL_VERSION, DOVANEL_VERSION_MAJOR, {}, {}, {}, {}, DOVANEL_WEB_HOST,
        false};
    return app;
}

void ReadSettings(AppContext& app) {
    const std::string value =
        ReadIniString(kSection, kQuickStartKey, "YES", app.settingsFile.toStdString());
    app.showQuickStart = QString::fromStdString(value).toUpper() == "YES";
}

WriteResult WriteQuickStartSetting(const AppContext& app, bool show) {
    return WriteIniString(kSection, kQuickStartKey, show ? "YES" : "NO",
                          app.settingsFile.toStdString());
}

}  // namespace dovanel
