#pragma once
// The program's help: one page per topic number, shown in the help viewer
// (ui/help/help_viewer.h), which the program sets at its start.

#include <QList>
#include <QString>

class QWidget;

namespace dovanel {

namespace help_topic {
inline constexpr int kContents = 1;
inline constexpr int kMortgageTypes = 10;
inline constexpr int kQualifyingRatios = 15;
inline constexpr int kIncomeAnalysis = 20;
inline constexpr int kDebtSummary = 25;
inline constexpr int kAmortization = 30;
inline constexpr int kSchedules = 60;
inline constexpr int kPlanner = 75;
inline constexpr int kCompare = 80;
}  // namespace help_topic

// The page of a topic inside the help folder.
QString HelpTopicPath(const QString& helpFolder, int topic);

// Opens the help viewer at a topic; a missing help page is ignored, and so is
// every topic while no viewer is set.
void OpenHelpTopic(int topic);

// What shows a help page (its file's path) to the user.
using HelpPageViewer = void (*)(const QString& page);
void SetHelpViewer(HelpPageViewer show);

// F1 anywhere in the window opens the topic.
void InstallHelpKey(QWidget* window, int topic);

// For tests: every topic opened goes here instead of the viewer.
class HelpRecorder {
  public:
    HelpRecorder();
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;
    QList<int> topics;
    bool showViewer = false;  // also open the viewer
};

}  // namespace dovanel
