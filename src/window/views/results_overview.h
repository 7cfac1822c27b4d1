// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 计算结果一览: every section's area, spacing and volume to the next section
// and the running total in a table, the total at its foot, and the
// cumulative volume curve beside it. Rows copy with Ctrl+C as tab-separated
// text that pastes into a spreadsheet as columns; the table exports as CSV,
// and the 土方数量表 as an Excel workbook with working sums.
// The rows of sections with a warning are marked; a survey read with
// materials (pavement layers and the like) has them in a column of their
// own. A cut-and-fill survey gets its cut and fill columns and curves, a
// switch to the mass curve and the 纵断面 in a tab beside the curves.

#include <QWidget>
#include <vector>

#include "section/checks.h"
#include "section/result_rows.h"

namespace document {
class SurveyDocument;
}

class QCheckBox;
class QLabel;
class QSplitter;
class QTabWidget;
class QTableWidget;

namespace window {

class ProfileView;
class VolumeCurve;

class ResultsOverview : public QWidget {
    Q_OBJECT

  public:
    // Shows the document's results, following its changes while it is open.
    explicit ResultsOverview(const document::SurveyDocument& document, QWidget* parent = nullptr);

    void showSurvey();

    QTableWidget& table() const { return *table_; }
    VolumeCurve& curve() const { return *curve_; }
    // The 纵断面 in a tab beside the curve, offered for a cut-and-fill survey.
    ProfileView& profile() const { return *profile_; }
    bool profileOffered() const;
    // Shows the mass curve instead of the cumulative cut and fill.
    QCheckBox& massCurveSwitch() const { return *massCurve_; }
    QString totalText() const;
    // What the mass curve's balanced stretches move, while it is shown.
    QString haulText() const;
    QString warningsText() const;

    // Writes the table as CSV; empty on success, else the message.
    QString exportCsv(const QString& path) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void copyRows() const;
    void exportClicked();
    void exportExcelClicked();

  private:
    // The selected rows, tab-separated, one line each.
    QString selectedRowsText() const;
    void fillTable(const section::ResultTable& results);
    void markWarnings(const std::vector<section::SurveyWarning>& warnings);
    void fitColumns();
    void showCurves();

    QTableWidget* table_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* warningsNote_ = nullptr;
    VolumeCurve* curve_ = nullptr;
    ProfileView* profile_ = nullptr;
    QTabWidget* curveTabs_ = nullptr;
    QCheckBox* massCurve_ = nullptr;
    QLabel* haulNote_ = nullptr;
    QSplitter* splitter_ = nullptr;
    const document::SurveyDocument& document_;
};

}  // namespace window
