#include "ui/about/update_check.h"

#include <QFile>

#include "shell/app_context.h"
#include "shell/platform.h"
#include "shell/program_folder.h"

namespace dovanel {

UpdateAddresses AddressesFor(const QString& host, int majorVersion) {
    const QString site = "https://" + host;
    return {site + "/dv/update/v" + QString::number(majorVersion) + ".rtf",
            site + "/dv/history.htm"};
}

QString UpdaterParameter(const QString& updateInfo, const QString& versionText,
                         const QString& productName) {
    return "305127489163 | " + updateInfo + " | " + versionText + " | " + productName;
}

namespace {

QString VersionCheckText(const AppContext& app) {
    return "You current have " + app.productName + " version " + app.versionText + "\r\r" +
           "Your web browser should be pointing to information showing the most recent updates.  "
           "If there is a later version of the program with updates or new features that you would "
           "like, "
           "you are encouraged to download and install that version before continuing." +
           "\r\r" +
           "Select 'Yes' if you are satisfied with the version you have and wish to continue "
           "now.  Select 'No' if you do not have the latest version and wish to download "
           "and install the latest version before your continue.";
}

QString SystemInstallText(const AppContext& app) {
    return "You currently have " + app.productName + " version " + app.versionText +
           ", installed for every user of this system." + "\r\r" + "Updates to this copy of " +
           app.productName +
           " come from the system's package manager.  To look for a later version, use your "
           "system's software updater, or ask the administrator of this system to do so.";
}

QString BrowserErrorText(const QString& history) {
    return "An error occured trying to launch your web browser.  This problem is likely because "
           "your system does not have a default web browser set up, or "
           "you are not connected to the Internet.  It is recommended you try to correct the "
           "problem and then try again.  Otherwise, you will need to manually launch your browser "
           "and/or connect to the Internet and then go to " +
           history;
}

}  // namespace

void CheckForUpdates(QWidget* owner, const std::function<bool()>& readyToEnd) {
    auto mayEnd = [&] { return !readyToEnd || readyToEnd(); };
    const AppContext& app = App();
    if (IsSystemLocation(app.programFolder)) {
        Message(owner, SystemInstallText(app), app.productName, MsgIcon::Information);
        return;
    }
    if (!CanWriteProgramFolder(app.programFolder)) {
        Message(owner,
                "ERROR: Although some updates may exist, you must be logged in as an "
                "'Administrator' of this "
                "system to make any updates.  Please log in as a system 'Administrator' and try "
                "again.  ",
                "Administrator Privileges Error", MsgIcon::Critical);
        return;
    }
    const UpdateAddresses addresses = AddressesFor(app.webHost, app.majorVersion);
    Platform& platform = ThePlatform();
    const QString updater = app.programFolder + kUpdaterName;
    if (QFile::exists(updater)) {
        if (!mayEnd()) return;
        if (platform.StartProgram(
                updater, {UpdaterParameter(addresses.updateInfo, app.versionText, app.productName)},
                app.programFolder)) {
            platform.EndProgram();
            return;
        }
    }
    if (!platform.OpenUrl(addresses.versionHistory)) {
        Message(owner, BrowserErrorText(addresses.versionHistory), "Error Launching Browser",
                MsgIcon::Critical);
        return;
    }
    MessageRequest question{VersionCheckText(app), "Version Check", MsgIcon::Question,
                            MsgButtons::YesNo, MsgAnswer::Yes};
    question.escapeAnswer = MsgAnswer::Yes;  // No ends the program: Escape carries on instead
    if (platform.ShowMessage(owner, question) == MsgAnswer::No && mayEnd()) platform.EndProgram();
}

}  // namespace dovanel
