// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 纵断面 drawn (section/profile_curve.h): the ground elevation at the
// centre line of each section and the design elevation along the road, the
// 变坡点 marked with their stations and the ends of each 竖曲线 with a tick.
// Its axis runs along the continuous chainage, written in K notation.
// It paints the curve it was given; working it out is the caller's, once a change.

#include <QPolygonF>
#include <QWidget>

#include "section/profile_curve.h"
#include "window/views/plot_geometry.h"

namespace window {

class ProfileView : public QWidget {
    Q_OBJECT

  public:
    explicit ProfileView(QWidget* parent = nullptr);

    void showCurve(section::ProfileCurve curve);
    const section::ProfileCurve& curve() const { return curve_; }

    // The ground and the design line as drawn at the present size.
    QPolygonF drawnGround() const;
    QPolygonF drawnDesign() const;

    QSize sizeHint() const override { return {520, 220}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRectF plotRect() const;
    // Where a point is drawn at the present size.
    QPointF at(const section::ProfilePoint& p) const;
    QPolygonF drawn(const std::vector<section::ProfilePoint>& points) const;

    section::ProfileCurve curve_;
    // The axes' spans, worked out with the curve rather than at each paint.
    Span along_{0, 1};
    Span elevation_{0, 1};
};

}  // namespace window
