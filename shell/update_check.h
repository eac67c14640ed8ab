#pragma once
// Checking for a newer version: hand over to the updater beside the program,
// or else show the version history in the browser.

#include <QString>

class QWidget;

namespace dovanel {

struct UpdateAddresses {
    QString updateInfo;      // ".../dv/update/v" + major version + ".rtf"
    QString versionHistory;  // ".../dv/history.htm"
};
UpdateAddresses AddressesFor(const QString& host, int majorVersion);

// The one argument the updater is started with: four fields joined by " | ".
QString UpdaterParameter(const QString& updateInfo, const QString& versionText,
                         const QString& productName);

inline constexpr char kUpdaterName[] = "s-update.exe";
inline constexpr char kAdminTestFile[] = "su-test.tmp";

// May end the program (the updater took over, or the user went to download).
void CheckForUpdates(QWidget* owner);

}  // namespace dovanel
