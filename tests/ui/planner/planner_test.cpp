#include "ui/planner/planner.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

#include "engine/format_value.h"
#include "engine/recalculate.h"
#include "tests/engine/sample_model.h"
#include "tests/ui/recording_printer.h"
#include "tests/ui/ui_fixture.h"
#include "ui/amortization/amortization_windows.h"
#include "ui/charts/chart_widget.h"
#include "ui/export/export_files.h"
#include "ui/main/main_window.h"
#include "ui/planner/planner_report.h"
#include "ui/printing/amortization_report.h"
#include "ui/printing/printing.h"
#include "ui/screens.h"

namespace dovanel {
namespace {

class PlannerTest : public test::WindowTest {
  protected:
    PlannerTest() {
        LoadInstalled(model);
        Loan(125000, 0.05f, 0.075f, 0);
    }
    void Loan(float price, float down, float rate, int type) {
        test::SetLoan(model, price, down, rate, type);
        Recalculate(model);
    }
    static QString Text(QWidget& w, const char* name) { return w.findChild<QLabel*>(name)->text(); }
    static QLineEdit* Cell(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::string S(const QString& text) { return text.toStdString(); }

    Model model;
    QTemporaryDir out;
};

TEST_F(PlannerTest, ShowsThePlanAndFollowsEveryInput) {
    Planner w(model);
    EXPECT_EQ(w.windowTitle(), "Payoff Planner");
    EXPECT_EQ(Text(w, "lblPayoff"), "Year 30 / Month 12");
    EXPECT_EQ(Text(w, "lblMonthsSaved"), "0");
    const PayoffPlan none = ComputePayoffPlan(model, {});
    EXPECT_EQ(S(Text(w, "lblTotalInterest")), none.totalInterestText);
    EXPECT_EQ(S(Text(w, "lblPmiRequest")), none.pmiRequest);
    EXPECT_EQ(S(Text(w, "lblPmiAutomatic")), none.pmiAutomatic);
    EXPECT_TRUE(Text(w, "lblPmiFinal").startsWith("Year 15 / Month 12; $"));

    QTest::keyClicks(Cell(w, "txtExtraMonthly"), "1x00");  // letters are swallowed
    QTest::keyClicks(Cell(w, "txtExtraYearly"), "500");
    w.findChild<QComboBox*>("cmbExtraYearlyMonth")->setCurrentIndex(5);
    QTest::keyClicks(Cell(w, "txtLumpSum"), "2000");
    w.findChild<QSpinBox*>("spnLumpSumAt")->setValue(13);
    w.findChild<QCheckBox*>("chkBiweekly")->setChecked(true);
    const ExtraPayments x{100, 500, 6, 2000, 13, true};  // what was entered above
    const PayoffPlan plan = ComputePayoffPlan(model, x);
    EXPECT_EQ(w.plan().rows.size(), plan.rows.size());
    EXPECT_EQ(S(Text(w, "lblPayoff")), plan.payoff);
    EXPECT_EQ(S(Text(w, "lblMonthsSaved")), plan.monthsSaved);
    EXPECT_EQ(S(Text(w, "lblInterestSaved")), plan.interestSaved);
    EXPECT_EQ(S(Text(w, "lblTotalInterest")), plan.totalInterestText);
    EXPECT_EQ(S(Text(w, "lblPmiRequest")), plan.pmiRequest);
    EXPECT_TRUE(Text(w, "lblPmiSaved").contains("PMI saved: $"));
    EXPECT_EQ(w.findChild<QSpinBox*>("spnLumpSumAt")->maximum(), 360);
    Screenshot(&w, "planner");
}

TEST_F(PlannerTest, VaLoansAndLowLtvSayNoPmiIsCharged) {
    Loan(125000, 0.05f, 0.075f, 4);
    Planner va(model);
    EXPECT_EQ(Text(va, "lblPmiRequest"),
              "No PMI is charged: VA loans carry no private mortgage insurance.");
    EXPECT_TRUE(va.findChild<QLabel*>("lblPmiRequestCaption")->isHidden());
    EXPECT_TRUE(Text(va, "lblPmiFinal").isEmpty());
    Loan(125000, 0.25f, 0.075f, 0);
    Planner low(model);
    EXPECT_TRUE(Text(low, "lblPmiRequest").startsWith("No PMI is charged"));
}

TEST_F(PlannerTest, KeyboardFocusDefaultButtonAndHelp) {
    Planner w(model);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), Cell(w, "txtExtraMonthly"));
    QTest::keyClick(Cell(w, "txtExtraMonthly"), Qt::Key_Return);  // Enter moves on
    EXPECT_EQ(QApplication::focusWidget(), Cell(w, "txtExtraYearly"));
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        EXPECT_FALSE(b->autoDefault()) << S(b->objectName());
        EXPECT_FALSE(b->accessibleName().isEmpty()) << S(b->objectName());
    }
    EXPECT_TRUE(w.findChild<QPushButton*>("BtnOk")->isDefault());
    for (const char* name : {"txtExtraMonthly", "txtExtraYearly", "txtLumpSum"})
        EXPECT_FALSE(Cell(w, name)->accessibleName().isEmpty());
    // Space presses the focused button: the save dialog opens (and is cancelled).
    auto* csv = w.findChild<QPushButton*>("BtnExportCsv");
    csv->setFocus();
    QTest::keyClick(csv, Qt::Key_Space);
    EXPECT_EQ(platform.saveDialogs.size(), 1u);
    QTest::keyClick(&w, Qt::Key_F1);
    w.findChild<QPushButton*>("btnHelp")->click();
    EXPECT_EQ(help.topics, (QList<int>{75, 75}));
    EXPECT_TRUE(QFile::exists(HelpTopicPath(App().helpFile, 75)));
    w.reject();
}

TEST_F(PlannerTest, ExportCsvWritesTheScheduleAndRemembersTheFolder) {
    LastExportFolder() = out.path();
    Planner w(model);
    QTest::keyClicks(Cell(w, "txtExtraMonthly"), "250");
    const QString path = out.path() + "/mine.csv";
    platform.saveAnswers = {path};
    w.findChild<QPushButton*>("BtnExportCsv")->click();
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_EQ(platform.saveDialogs[0].suggestedPath, out.path() + "/payoff-plan.csv");
    const QByteArray csv = Read(path);
    EXPECT_EQ(csv.toStdString(), ScheduleCsv(w.plan().rows));
    EXPECT_TRUE(
        csv.startsWith("payment,year,month,beginning,interest,principal,extra,ending,ltv\n"
                       "1,1,1,118750.00,742.19,88.13,250.00,118411.87,0.9473\n"));
    EXPECT_TRUE(platform.asked.empty());

    // Python's csv module reads it without options, and the amounts add up.
    const QString python = QStandardPaths::findExecutable("python3");
    if (!python.isEmpty()) {
        QProcess p;
        p.start(python,
                {"-c",
                 "import csv,sys\n"
                 "rows=list(csv.DictReader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
                 "print(len(rows), round(sum(float(r['principal'])+float(r['extra']) "
                 "for r in rows)), rows[-1]['ending'])",
                 path});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.readAllStandardOutput().trimmed().toStdString(),
                  std::to_string(w.plan().rows.size()) + " 118750 0.00");
    }

    // The next dialog opens in the folder the last file went to.
    QDir(out.path()).mkdir("sub");
    platform.saveAnswers = {out.path() + "/sub/second.csv"};
    w.findChild<QPushButton*>("BtnExportCsv")->click();
    platform.saveAnswers = {};
    w.findChild<QPushButton*>("BtnExportCsv")->click();  // cancelled: nothing happens
    ASSERT_EQ(platform.saveDialogs.size(), 3u);
    EXPECT_EQ(platform.saveDialogs[2].suggestedPath, out.path() + "/sub/payoff-plan.csv");
    EXPECT_TRUE(platform.asked.empty());
}

TEST_F(PlannerTest, FailedSavesSayWhy) {
    Planner w(model);
    const QString missing = out.path() + "/no such folder/plan";
    platform.saveAnswers = {missing + ".csv", missing + ".pdf"};
    w.findChild<QPushButton*>("BtnExportCsv")->click();
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(platform.asked[0].text.contains("could not be saved")) << S(platform.LastText());
    EXPECT_TRUE(platform.asked[0].text.contains("No such file or directory"))
        << S(platform.LastText());
    w.findChild<QPushButton*>("BtnSavePdf")->click();
    ASSERT_EQ(platform.asked.size(), 2u);
    EXPECT_EQ(platform.asked[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(platform.asked[1].text.contains("No such file or directory"))
        << S(platform.LastText());
    EXPECT_FALSE(QFile::exists(missing + ".pdf"));
}

// Every export the user names in a dialog (the planner's CSV and PDF, the
// amortization table's CSV) replaces a symbolic link planted in its place,
// never the link's target, and makes nothing where a dangling link points.
TEST_F(PlannerTest, ExportsReplaceALinkNeverItsTarget) {
    Planner planner(model);
    AmortizationWindow table(model);
    QTemporaryDir victim;
    const QString precious = victim.path() + "/important.txt";
    const QString nowhere = victim.path() + "/nowhere";
    {
        QFile f(precious);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious\n");
    }
    const std::tuple<const char*, std::function<void()>, QByteArray> exports[] = {
        {"payoff-plan.csv", [&] { planner.findChild<QPushButton*>("BtnExportCsv")->click(); },
         "payment,"},
        {"payoff-plan.pdf", [&] { planner.findChild<QPushButton*>("BtnSavePdf")->click(); },
         "%PDF"},
        {"table.csv", [&] { table.findChild<QAction*>("mnuExportCsv")->trigger(); }, "payment,"},
    };
    for (const auto& [name, save, start] : exports) {
        for (const QString& pointsTo : {precious, nowhere}) {
            const QString path = out.path() + "/" + name;
            QFile::remove(path);
            ASSERT_TRUE(QFile::link(pointsTo, path));
            platform.saveAnswers = {path};
            save();
            EXPECT_FALSE(QFileInfo(path).isSymLink()) << name << ": the link became the export";
            EXPECT_TRUE(Read(path).startsWith(start)) << name;
        }
        EXPECT_EQ(Read(precious), "precious\n") << name << ": the link's target is untouched";
        EXPECT_FALSE(QFile::exists(nowhere)) << name;
    }
    EXPECT_TRUE(platform.asked.empty()) << S(platform.LastText());
}

// A read-only file is refused by every export alike, with the system's reason,
// and keeps its bytes and its permission bits.
TEST_F(PlannerTest, ExportsRefuseAReadOnlyFile) {
    Planner w(model);
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
    for (const char* button : {"BtnExportCsv", "BtnSavePdf"}) {
        const QString path = out.path() + "/" + button;
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        ASSERT_TRUE(QFile::setPermissions(path, readOnly));
        platform.asked.clear();
        platform.saveAnswers = {path};
        w.findChild<QPushButton*>(button)->click();
        EXPECT_EQ(Read(path), "old") << button;
        EXPECT_EQ(QFile::permissions(path) & ~test::kForThisUser, readOnly) << button;
        ASSERT_EQ(platform.asked.size(), 1u) << button;
        EXPECT_TRUE(platform.asked[0].text.contains("Reason: Permission denied."))
            << S(platform.LastText());
        QFile::setPermissions(path, readOnly | QFileDevice::WriteOwner);
    }
}

TEST_F(PlannerTest, SaveAsPdfWritesThePrintoutWithoutThePrinterDialog) {
    Planner w(model);
    const QString path = out.path() + "/plan.pdf";
    QFile::remove(path);
    platform.saveAnswers = {path};
    w.findChild<QPushButton*>("BtnSavePdf")->click();
    EXPECT_EQ(platform.printerDialogs, 0);
    EXPECT_TRUE(platform.asked.empty()) << S(platform.LastText());
    EXPECT_TRUE(Read(path).startsWith("%PDF"));
    EXPECT_EQ(platform.saveDialogs[0].suggestedPath.section('/', -1), "amortization.pdf");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.pdf"});
    QFile plain(out.path() + "/plain");  // a new file's permissions
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_EQ(QFileInfo(path).permissions(), plain.permissions());
}

TEST_F(PlannerTest, PrintoutAddsAnExtrasColumnOnlyWithExtras) {
    auto lines = [&](const PayoffPlan& plan, bool extras) {
        test::RecordingPrinter printer;
        PrintReport(printer, {nullptr, FormFont(), false, true},
                    [&](ReportWriter& o) { PayoffReportBody(model, plan, extras, o); });
        return printer.Lines();
    };
    test::RecordingPrinter table;
    PrintReport(table, {nullptr, FormFont(), false, true},
                [&](ReportWriter& o) { AmortizationReportBody(model, o); });
    EXPECT_EQ(lines(ComputePayoffPlan(model, {}), false), table.Lines());

    ExtraPayments x;
    x.monthly = 300;
    const PayoffPlan plan = ComputePayoffPlan(model, x);
    const QStringList printed = lines(plan, true);
    EXPECT_TRUE(
        printed.contains("Payment Period | Beginning Balance | Interest | Principal | "
                         "Extra | Ending Balance | LTV"));
    EXPECT_TRUE(printed.contains(
        "Year 1 / Month 1 | $118,750.00 | $742.19 | $88.13 | $300.00 | $118,361.87 | 94.69%"));
    EXPECT_EQ(printed.filter(" PMI | ").size(), 1);
    EXPECT_TRUE(printed.last().startsWith(QString::fromStdString(plan.payoff) + " | "));
}

TEST_F(PlannerTest, AmortizationTableExportsItsRowsFromTheContextMenu) {
    AmortizationWindow window(model);
    auto* list = window.findChild<QListWidget*>("List1");
    ASSERT_EQ(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* exportCsv = list->findChild<QAction*>("mnuExportCsv");
    ASSERT_TRUE(exportCsv);
    EXPECT_EQ(exportCsv->text(), "Export CSV ...");
    const QString path = out.path() + "/table.csv";
    platform.saveAnswers = {path};
    exportCsv->trigger();
    const std::string csv = Read(path).toStdString();
    EXPECT_EQ(csv, ScheduleCsv(RowsOf(ComputeAmortization(model))));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 361);
}

TEST_F(PlannerTest, ChartsHaveTicksLegendTooltipsAndBothPalettes) {
    Planner w(model);
    w.show();
    auto* balance = w.findChild<ChartWidget*>("chtBalance");
    auto* yearly = w.findChild<ChartWidget*>("chtYearly");
    ASSERT_TRUE(balance && yearly);
    EXPECT_EQ(balance->series().size(), 2u);
    EXPECT_EQ(balance->series()[1].values.size(), 361u);
    EXPECT_EQ(balance->markers().size(), 4u);  // three PMI dates and the payoff
    EXPECT_EQ(yearly->series()[0].values.size(), 30u);
    EXPECT_EQ(balance->YearTicks(), (std::vector<int>{0, 5, 10, 15, 20, 25, 30}));
    EXPECT_EQ(balance->DollarTicks(),
              (std::vector<double>{0, 25000, 50000, 75000, 100000, 125000}));
    EXPECT_EQ(ChartWidget::DollarTick(125000), "$125k");
    EXPECT_EQ(ChartWidget::DollarTick(1500000), "$1.5M");
    const QString tip = balance->ValuesAt(balance->rect().center());
    EXPECT_TRUE(tip.startsWith("Year ")) << S(tip);
    EXPECT_TRUE(tip.contains("With extras: $")) << S(tip);
    EXPECT_TRUE(yearly->ValuesAt(yearly->rect().center()).contains("Interest: $"));
    EXPECT_TRUE(balance->ValuesAt(QPoint(0, 0)).isEmpty());

    for (const QColor& base : {QColor(Qt::white), QColor(30, 30, 30)}) {
        QPalette palette = balance->palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, base.lightness() < 128 ? Qt::white : Qt::black);
        balance->setPalette(palette);
        QImage image(balance->size() * 2, QImage::Format_ARGB32);
        image.setDevicePixelRatio(2);  // 200 %
        image.fill(Qt::red);
        balance->render(&image);
        EXPECT_EQ(image.pixelColor(2, 2), base);
        if (!qEnvironmentVariable("DOVANEL_SCREENSHOTS").isEmpty())
            image.save(qEnvironmentVariable("DOVANEL_SCREENSHOTS") + "/balance-" +
                       QString::number(base.lightness()) + ".png");
        int drawn = 0;  // the lines and labels cover part of the chart
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) drawn += image.pixelColor(x, y) != base;
        EXPECT_GT(drawn, 200);
    }
}

// Amounts no chart can show leave it drawable.
// Both charts are Tab stops with a summary for screen readers; the arrow keys
// step through the years and read each one's figures, as the mouse shows them.
TEST_F(PlannerTest, ChartsAreReadByTheKeyboard) {
    Planner w(model);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* balance = w.findChild<ChartWidget*>("chtBalance");
    auto* yearly = w.findChild<ChartWidget*>("chtYearly");
    auto description = [](QWidget* chart) {
        return QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Description);
    };
    EXPECT_TRUE(description(balance).startsWith("Paid off Year 30 / Month 12."));
    const PayoffPlan& plan = w.plan();
    double interest1 = 0;
    for (int k = 0; k < 12; ++k) interest1 += plan.rows[k].interest;
    EXPECT_TRUE(description(yearly).startsWith(
        "Years 1 to 30. Year 1: " + QString::fromStdString(FormatValue(interest1, "$#,##0")) +
        " interest, "))
        << S(description(yearly));

    const QImage unfocused = yearly->grab().toImage();
    w.findChild<QCheckBox*>("chkBiweekly")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), balance);
    QTest::keyClick(balance, Qt::Key_Right);
    EXPECT_EQ(balance->readingPosition(), 0) << "the first key reads the start";
    QTest::keyClick(balance, Qt::Key_Right);
    EXPECT_EQ(balance->readingPosition(), 12) << "then a year at a time";
    EXPECT_TRUE(description(balance).endsWith(balance->ValuesOf(12)));
    EXPECT_TRUE(balance->ValuesOf(12).startsWith("Year 1 / Month 12\nWith extras: $"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), yearly);
    EXPECT_NE(yearly->grab().toImage(), unfocused) << "the focus shows";
    QTest::keyClick(yearly, Qt::Key_End);
    QTest::keyClick(yearly, Qt::Key_Left);
    EXPECT_EQ(yearly->readingPosition(), 28);
    EXPECT_TRUE(description(yearly).endsWith(yearly->ValuesOf(28)));
    EXPECT_TRUE(yearly->ValuesOf(28).startsWith("Year 29\nInterest: $"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.findChild<QPushButton*>("BtnExportCsv"));
}

// Extras that pay the loan off before a PMI date: no marker is drawn past the payoff.
TEST_F(PlannerTest, NoPmiMarkerPastThePayoff) {
    Planner w(model);
    QTest::keyClicks(Cell(w, "txtExtraMonthly"), "3500");
    const int payoff = static_cast<int>(w.plan().rows.size());
    ASSERT_LE(payoff, 36);
    auto* balance = w.findChild<ChartWidget*>("chtBalance");
    for (const ChartMarker& marker : balance->markers())
        EXPECT_LE(marker.month, payoff) << S(marker.label);
    ASSERT_EQ(balance->markers().size(), 2u) << "the request date and the payoff";
    EXPECT_EQ(Text(w, "lblPmiAutomatic").section(';', 0, 0),
              "Loan paid off first, at " + QString::fromStdString(w.plan().payoff));
}

// The planner's window and its PDF follow one rule: a VA loan pays no PMI, so
// no row is marked as the one from which PMI can be dropped.
TEST_F(PlannerTest, VaLoansHaveNoPmiRowInThePrintout) {
    auto marks = [&](bool extras) {
        ExtraPayments x;
        x.monthly = extras ? 100 : 0;
        test::RecordingPrinter printer;
        PrintReport(printer, {nullptr, FormFont(), false, true}, [&](ReportWriter& o) {
            PayoffReportBody(model, ComputePayoffPlan(model, x), extras, o);
        });
        return printer.Lines().filter(" PMI | ").size();
    };
    for (const bool extras : {false, true}) {
        SCOPED_TRACE(extras ? "with extras" : "without extras");
        Loan(125000, 0.05f, 0.075f, 4);
        EXPECT_EQ(marks(extras), 0) << "VA";
        Loan(125000, 0.05f, 0.075f, 0);
        EXPECT_EQ(marks(extras), 1) << "conventional";
    }
}

TEST_F(PlannerTest, ChartsSurviveAmountsTooLargeToDraw) {
    ChartWidget chart;
    chart.resize(300, 200);
    const double inf = std::numeric_limits<double>::infinity();
    chart.SetLines({{"Balance", {1000, inf, std::nan(""), 0}}}, {{1, "Marker"}});
    EXPECT_EQ(chart.DollarTicks(), (std::vector<double>{0, 200, 400, 600, 800, 1000}));
    EXPECT_FALSE(chart.grab().isNull());
    EXPECT_TRUE(chart.ValuesAt(chart.rect().center()).startsWith("Year "));
    chart.SetStackedBars({{"Interest", {inf, 5}}, {"Principal", {1, 2}}});
    EXPECT_FALSE(chart.grab().isNull());
    chart.SetLines({}, {});
    EXPECT_FALSE(chart.grab().isNull());
}

// A loan paid off within a year or two still shows bars, not a block across the plot.
TEST_F(PlannerTest, AFewYearsOfBarsKeepABarsWidth) {
    ChartWidget chart;
    chart.resize(400, 300);
    chart.SetStackedBars({{"Interest", {100}}, {"Principal", {1000}}});
    const QImage image = chart.grab().toImage();
    const QColor background = image.pixelColor(2, 2);
    const int row = image.height() * 2 / 3;  // through the bar, off the grid lines at this size
    int drawn = 0;
    for (int x = 0; x < image.width(); ++x) drawn += image.pixelColor(x, row) != background;
    EXPECT_GT(drawn, 10);
    EXPECT_LT(drawn, image.width() / 4);
}

TEST_F(PlannerTest, OpensFromTheToolsMenuAfterTheAmortizationTable) {
    MainWindow window(test::DocumentOf(model));
    ASSERT_EQ(window.FormLoad(), LoadOutcome::Complete);
    RegisterScreens(window);
    const QList<QAction*> tools = window.findChild<QMenu*>("MenuTools")->actions();
    QAction* planner = window.findChild<QAction*>("mnuPlanner");
    ASSERT_TRUE(planner);
    EXPECT_EQ(planner->text(), "Payoff &Planner ...");
    EXPECT_EQ(tools.indexOf(planner),
              tools.indexOf(window.findChild<QAction*>("mnuAmortize2")) + 1);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget* screen = QApplication::activeModalWidget();
        ASSERT_TRUE(screen);
        opened = screen->objectName() == "Planner";
        screen->findChild<QPushButton*>("BtnOk")->click();
    });
    planner->trigger();
    EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace dovanel
