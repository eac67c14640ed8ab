#pragma once
// The amortization table (Amort), the interest paid over the first years
// (PartTerm) and the payment start date dialog (DateType).

#include "engine/amortization.h"
#include "shell/form.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QVector>

class QListWidget;
class QRadioButton;
class QScrollBar;

namespace dovanel {

// Where each value of an amortization table line (its tab-separated parts)
// starts in the list, in pixels from the line's start.
QVector<qreal> AmortizationColumnStarts(const QStringList& values, const QFontMetricsF& fm);

class AmortizationWindow : public Screen {
    Q_OBJECT
  public:
    AmortizationWindow(const Model& model, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }

  signals:
    void printRequested();

  private:
    QListWidget* list_ = nullptr;
};

class PartialTermWindow : public Screen {
    Q_OBJECT
  public:
    // `corner`: the main window's top-left corner, which the window sits 999 twips right of and
    // below.
    PartialTermWindow(const Model& model, QPoint corner, QWidget* parent = nullptr);

    QScrollBar* years() const { return years_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void VScroll2_Change();

    const Model& model_;
    QScrollBar* years_ = nullptr;
    QLabel* sentence_ = nullptr;
    QLabel* total_ = nullptr;
};

class DateTypeDialog : public Screen {
    Q_OBJECT
  public:
    DateTypeDialog(LoanData& loan, int currentYear, QWidget* parent = nullptr);

    static const char* const kMonthNames[12];

  private:
    LoanData& loan_;
    int month_ = 1;
    int year_ = 1994;
    QRadioButton* specific_ = nullptr;
};

}  // namespace dovanel
