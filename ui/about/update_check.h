#pragma once
// Checking for a newer version: hand over to the updater beside the program,
// or else show the version history in the browser.

#include <QString>
#include <functional>

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

// May end the program (the updater took over, or the user went to download).
// Before it does, `readyToEnd` may ask about unsaved data: false keeps the program open.
// A copy installed in a system location only says where its updates come from.
void CheckForUpdates(QWidget* owner, const std::function<bool()>& readyToEnd = {});

}  // namespace dovanel
