#pragma once
// The program's main window over a workspace, as it starts: the default loan
// loaded from the test's data folder, every screen behind its menu entry, and
// New, Open and the recent files over the workspace. Scenario files are made in
// a folder of the test's own.

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "data/scenario_file.h"
#include "tests/ui/ui_fixture.h"
#include "ui/document/workspace.h"
#include "ui/main/main_window.h"
#include "ui/screens.h"

namespace dovanel::test {

class DocumentTest : public WindowTest {
  protected:
    DocumentTest() {
        window = std::make_unique<MainWindow>(workspace.current());
        EXPECT_EQ(window->FormLoad(), LoadOutcome::Complete);
        RegisterScreens(*window);
        window->UseWorkspace(workspace);
    }
    ~DocumentTest() override { window.reset(); }

    ScenarioDocument& Current() { return workspace.current(); }
    QAction* Action(const QString& name) const { return window->findChild<QAction*>(name); }
    QLineEdit* Box(int n) const { return window->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    void Run(const QString& entry) { Action(entry)->trigger(); }
    void Type(int box, const QString& keys) {
        Box(box)->setFocus();
        QTest::keyClicks(Box(box), keys);
    }

    // A scenario file in the test's folder: the installed loan at `price`.
    QString ScenarioFile(const QString& name, Single price, const std::string& title = "") {
        Model model;
        LoadInstalled(model);
        model.loanData.purchasePrice = price;
        model.info.name = title;
        const QString path = files.path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(ScenarioFileText(model)));
        return path;
    }
    // The scenario a file holds now.
    Scenario Read(const QString& path) {
        Scenario scenario;
        EXPECT_TRUE(ReadScenarioFile(path.toStdString(), scenario)) << path.toStdString();
        return scenario;
    }
    // Opens a file through File > Open and its dialog.
    void OpenByMenu(const QString& path) {
        platform.openAnswers.push_back(path);
        Run("MenuFileOpen");
    }

    QTemporaryDir files;
    Workspace workspace;
    std::unique_ptr<MainWindow> window;
};

}  // namespace dovanel::test
