// The main window's menu bar: one table of entries, each opening its screen.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "shell/help.h"
#include "ui/main/main_window.h"

namespace dovanel {

namespace {

struct MenuEntry {
    const char* name;  // empty for a separator line
    const char* caption;
    const char* shortcut;
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<MenuEntry> entries;
};

const MenuSpec kMenus[] = {
    {"MenuFile",
     "&File",
     {{"MenuFileNew", "&New", "Ctrl+N"},
      {"MenuFileOpen", "&Open ...", "Ctrl+O"},
      {"MenuFileSave", "&Save", ""},
      {"MenuFileSaveAs", "Save &As ...", "Ctrl+Shift+S"},
      {"MenuFileProperties", "Scenario P&roperties ...", ""},
      {"MenuFilePrint", "&Print ...", "Ctrl+P"},
      {"", "MenuFileRecentBar", ""},
      {"MenuFileRecent1", "&1", ""},
      {"MenuFileRecent2", "&2", ""},
      {"MenuFileRecent3", "&3", ""},
      {"MenuFileRecent4", "&4", ""},
      {"MenuFileRecent5", "&5", ""},
      {"MenuFileRecent6", "&6", ""},
      {"MenuFileRecent7", "&7", ""},
      {"MenuFileRecent8", "&8", ""},
      {"", "MenuFileExitBar", ""},
      {"MenuFileExit", "E&xit", ""}}},
    {"MenuTools",
     "&Tools",
     {{"mnuIncome2", "Income Analysis", "Ctrl+I"},
      {"mnuDebt2", "Debt Summary", "Ctrl+D"},
      {"", "MenuToolsHashView", ""},
      {"mnuAmortize2", "Amortization Table", "Ctrl+A"},
      {"mnuPlanner", "Payoff &Planner ...", ""},
      {"mnuFileViewItem", "Financing Estimate (\"Good Faith Estimate\")", "Ctrl+F"},
      {"mnuAmortize4", "Interest Paid (for a given year)", ""},
      {"mnuMortgageComparisons", "&Mortgage Comparisons", ""},
      {"mnuAfford", "What Can I &Afford? ...", ""},
      {"mnuLoanEstimate", "&Loan Estimate ...", "Ctrl+L"},
      {"", "MenuToolsHashComplete", ""},
      {"mnuFileValues3", "Change the Escrow Fees Table", ""},
      {"mnuFanMae", "Change the Fannie Mae Guideline Values", ""},
      {"mnuFileValues1", "Change the Financing Estimate Values", ""},
      {"mnuGovTables", "Change the Government Loan Tables", ""},
      {"mnuLenderInformation", "Change the Lender Information", ""},
      {"mnuFileValues5", "Change the Loan Origination Fee Schedule", ""},
      {"mnuFileValues4", "Change the PMI Schedule", ""},
      {"mnuFileValues2", "Change the Title Fees Table", ""}}},
    {"mnuHelp",
     "  &Help",
     {{"MenuHelpContents", "&Contents", "F1"},
      {"MenuHelpShowQuickStart", "Show &Quick Start Information", ""},
      {"", "MenuHelpHash1", ""},
      {"MenuCheckForUpdates", "Check For &Updates", ""},
      {"MenuFileAbout", "&About", ""}}},
};

}  // namespace

void MainWindow::BuildMenus() {
    for (const MenuSpec& spec : kMenus) {
        QMenu* menu = menuBar()->addMenu(spec.caption);
        menu->setObjectName(spec.name);
        for (const MenuEntry& entry : spec.entries) {
            if (*entry.name == '\0') {
                menu->addSeparator()->setObjectName(entry.caption);
                continue;
            }
            QAction* action = menu->addAction(entry.caption);
            action->setObjectName(entry.name);
            if (*entry.shortcut) action->setShortcut(QKeySequence(entry.shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
            action->setEnabled(false);  // until a screen stands behind it
            actions_[entry.name] = action;
            connect(action, &QAction::triggered, this,
                    [this, name = QString(entry.name)] { RunMenuEntry(name); });
        }
    }
    SetMenuAction("MenuFileSave", [this] { MenuFileSave_Click(); });
    SetMenuAction("MenuFileSaveAs", [this] { MenuFileSaveAs_Click(); });
    SetMenuAction("MenuFileExit", [this] { close(); });
    SetMenuAction("MenuHelpContents", [] { OpenHelpTopic(help_topic::kContents); });
}

void MainWindow::SetMenuAction(const QString& entry, std::function<void()> action) {
    menuActions_[entry] = std::move(action);
    if (QAction* a = actions_.value(entry)) a->setEnabled(true);
}

// A screen opened from here hands back to this window when it closes, which
// then refreshes as its activation does; not every window system activates it.
void MainWindow::RunMenuEntry(const QString& entry) {
    auto action = menuActions_.value(entry);
    if (!action) return;
    action();
    if (entry != "MenuFileExit" && isVisible()) {
        activateWindow();
        Form_Activate();
    }
}

}  // namespace dovanel
