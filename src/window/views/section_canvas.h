// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing of one cross-section, to scale: a metre grid with its values,
// the centre line S = 0 dashed red, every point marked and numbered in the
// order entered, the edges in that order and the closing edge from the last
// point back to the first dashed. A value being confirmed is drawn in orange:
// a point whose distance is being confirmed, or the level of an elevation
// whose distance is not entered yet. The point of the table's current row is
// ringed in magenta.
//
// The grid, the confirmed edges and the confirmed points are drawn into
// layers kept between paints and only added to as points are confirmed, so
// that a section of thousands of points redraws at once as a value is typed;
// the layers are drawn anew when the scale or the size changes, or the
// points are not the ones drawn.

#include <QColor>
#include <QImage>
#include <QStaticText>
#include <QWidget>
#include <optional>
#include <vector>

#include "dialogue/user_interface.h"
#include "window/views/plot_geometry.h"

namespace window {

struct SectionPicture {
    std::vector<section::SectionDraft::Point> points;
    std::optional<double> pendingElevation;  // of the next point
    std::optional<double> pendingOffset;     // of the next point, with its elevation
    int highlighted = 0;                     // the point ringed (1-based), 0 for none
};

class SectionCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit SectionCanvas(QWidget* parent = nullptr);

    void setPicture(SectionPicture picture);
    const SectionPicture& picture() const { return picture_; }

    QSize sizeHint() const override { return {360, 300}; }
    // Where point j (1-based) of the picture is drawn at the canvas's size.
    QPointF pointPosition(int j) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PixelBox drawingBox() const;
    SectionScale drawingScale() const;
    // Brings the layers up to the picture's confirmed points at `scale`.
    void updateLayers(const SectionScale& scale, const PixelBox& box);

    SectionPicture picture_;
    QImage grid_, edges_, marks_;
    std::optional<SectionScale> layeredScale_;
    std::size_t layered_ = 0;           // the points in the layers: the picture's first ones
    std::vector<QStaticText> numbers_;  // of the points, 1, 2, ...
};

}  // namespace window
