// The screenshot review draws what users see: every window, the splash, the
// help viewer and the program's own message boxes, on a desktop-sized screen
// (a message box wraps its text by its screen's width), and again with the
// desktop font of 11 pt.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Runs the screenshot program into `out`; empty when it succeeded.
QString Render(const QString& out, const QString& scale, const QStringList& more = {}) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_SCALE_FACTOR", scale);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(DOVANEL_SCREENSHOTS, QStringList{out, DOVANEL_PROGRAM_FOLDER} + more);
    if (!program.waitForFinished(240000)) return "did not end";
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
        return "failed: " + QString::fromLocal8Bit(program.readAll());
    return {};
}

const char* const kNamed[] = {
    "frmMain", "frmMain-flags", "PrintScreen", "Income", "Income2", "Amort", "Planner",
    "QuickStart", "frmAbout", "frmAbout-splash", "HelpViewer",
    // the program's message boxes, as its own steps show them
    "message-first-run", "message-already-running", "message-save-failure",
    "message-down-payment-over-100", "message-save-changes", "message-zero",
    "message-RedFlagDownPayment", "message-RedFlagLoanAmount", "message-RedFlagFirstRatio",
    "message-RedFlagSecondRatio", "message-infoPurchasePrice", "message-infoDownPayment",
    "message-infoEarnestMoney", "message-infoDues", "message-infoTaxes",
    "message-infoHomeOwnersInsurance", "message-infoLoanAmount", "message-infoDownPaymentCalc",
    "message-infoLoantoValueRatio", "message-infoMonthlyPrincipalPlusInterest",
    "message-infoTotalMonthlyPayment", "message-infoTotalInterest", "message-infoTotalDueatClosing",
    "message-infoMonthlyIncomeRequired",
    // the "i" buttons that open a help topic
    "HelpViewer-infoMortgageType", "HelpViewer-infoQualifyingRatios"};

QStringList Missing(const QString& folder) {
    QStringList missing;
    for (const char* theme : {"light", "dark"})
        for (const char* name : kNamed)
            if (QImage(QString("%1/%2-%3.png").arg(folder, name, theme)).isNull())
                missing << QString("%1-%2").arg(name, theme);
    return missing;
}

// Logical pixels of a picture drawn at `scale`.
QSize LogicalSize(const QString& path, double scale) {
    const QImage image(path);
    return image.isNull() ? QSize() : (QSizeF(image.size()) / scale).toSize();
}

TEST(ScreenshotReview, HoldsEveryWindowTheSplashTheHelpViewerAndTheMessagesAtScale2) {
    QTemporaryDir out;
    ASSERT_EQ(Render(out.path(), "2"), QString());
    EXPECT_EQ(Missing(out.path()), QStringList());
    // On a desktop of 1920 logical pixels a message box's text runs up to 500
    // pixels before it wraps (on the bare offscreen screen, 800 x 600 at 200 %, only 200).
    for (const char* name :
         {"message-first-run", "message-save-failure", "message-RedFlagFirstRatio"}) {
        const QSize box = LogicalSize(QString("%1/%2-light.png").arg(out.path(), name), 2);
        EXPECT_GE(box.width(), 500) << name;
        EXPECT_LE(box.width(), 1100) << name;
        EXPECT_LT(box.height(), box.width()) << name << " is wrapped into a narrow column";
    }
}

TEST(ScreenshotReview, HasADesktopFontVariantOf11Points) {
    QTemporaryDir plain, large;
    ASSERT_EQ(Render(plain.path(), "1"), QString());
    ASSERT_EQ(Render(large.path(), "1", {"11"}), QString());
    EXPECT_EQ(Missing(large.path()), QStringList());
    // The message boxes follow the desktop's font: its text takes more room at 11 pt.
    const QSize small = LogicalSize(plain.filePath("message-already-running-light.png"), 1);
    const QSize big = LogicalSize(large.filePath("message-already-running-light.png"), 1);
    EXPECT_GT(big.width() * big.height(), small.width() * small.height());
}

}  // namespace
