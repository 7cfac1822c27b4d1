// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cumulative volume curves of a survey (section/running_curves.h) drawn:
// negative volumes make a curve fall; several curves have a legend; the mass
// curve's balanced stretches are lines at their level, labelled with what
// they move.

#include <QColor>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

#include "section/running_curves.h"
#include "window/views/plot_geometry.h"

class QPainter;

namespace window {

class VolumeCurve : public QWidget {
    Q_OBJECT

  public:
    explicit VolumeCurve(QWidget* parent = nullptr);

    void show(const section::RunningCurves& curves);

    struct Point {
        double along = 0;  // station in metres, or section number
        double total = 0;  // running total, cubic metres
    };
    struct Series {
        QString name;
        QColor colour;
        std::vector<Point> points;
    };
    const std::vector<Series>& series() const { return series_; }
    // The balanced stretches of a mass curve, as drawn at the present size:
    // a line at the level the stretch closes at, and its label above it when
    // there is room.
    struct Balance {
        QLineF line;
        QString label;
    };
    std::vector<Balance> drawnBalances() const;
    // The points of the first curve.
    const std::vector<Point>& points() const { return series_.front().points; }
    QString title() const { return title_; }
    // The curves as drawn at the present size, and where the legend goes: in
    // the corner of the plot the curves keep clearest of. None without a legend.
    std::vector<QPolygonF> drawnCurves() const;
    QRectF legendBox() const;

    QSize sizeHint() const override { return {520, 260}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Axes {
        QRectF plot;
        Span along;
        Span total;
        double x(double v) const { return onAxis(v, along, plot.left(), plot.right()); }
        double y(double v) const { return onAxis(v, total, plot.bottom(), plot.top()); }
    };
    QRectF plotRect() const;
    Axes axes() const;  // with points only
    void drawLegend(QPainter& painter, const QRectF& box) const;
    void drawBalances(QPainter& painter) const;

    std::vector<Series> series_{Series{}};
    std::vector<section::BalanceLine> balances_;
    bool legend_ = false;
    QString title_;
    QString axis_;
    QString alongAxis_;
};

}  // namespace window
