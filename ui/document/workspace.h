#pragma once
// What the program has open: the lender's desk and the scenario document the
// main window shows. New, Open and a recent file replace the document; the one
// before goes once the windows have moved on to the new one.

#include <QObject>
#include <memory>
#include <vector>

#include "ui/document/lender_desk.h"
#include "ui/document/scenario_document.h"

namespace dovanel {

class Workspace : public QObject {
    Q_OBJECT
  public:
    // The desk and, over it, the default loan (empty until the start-up load fills it).
    explicit Workspace(QObject* parent = nullptr);
    ~Workspace() override;

    LenderDesk& desk() { return desk_; }
    ScenarioDocument& current() { return *current_; }

    // Makes `document` the current one and tells the windows.
    void Replace(std::unique_ptr<ScenarioDocument> document);

  signals:
    void currentChanged(ScenarioDocument* document);

  private:
    LenderDesk desk_;
    std::unique_ptr<ScenarioDocument> current_;
    // Documents replaced, kept until the event loop comes round again.
    std::vector<std::unique_ptr<ScenarioDocument>> retired_;
};

}  // namespace dovanel
