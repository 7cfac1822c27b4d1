// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing of one cross-section, to scale, from its picture: a metre grid
// with its values, the centre line S = 0 dashed red, and the picture's lines
// and regions, each drawn as its role asks.
//
// An Outline is shaded, its points marked and numbered in the order entered,
// its edges drawn in that order and the closing edge from the last point back
// to the first dashed. A value being confirmed is drawn in orange: a point
// whose distance is being confirmed, or the level of an elevation whose
// distance is not entered yet. A Ground and a Design line are drawn over the
// Cut (挖方) and Fill (填方) regions shaded in two colours, under a legend in
// a row above the drawing (two when narrow); where a generated design line
// meets the ground a small green triangle marks its 坡脚 or 坡口. The point
// of the table's current row is ringed in magenta, on whichever line it is.
//
// The grid with the regions, the Outline's confirmed edges and its confirmed
// points are drawn into layers kept between paints and only added to as
// points are confirmed, so that a section of thousands of points redraws at
// once as a value is typed; the layers are drawn anew when the scale (zoom,
// pan, exaggeration) or the size changes, or the points are not the ones
// drawn.
//
// The wheel zooms about the cursor, a drag with the left button pans, a
// double click or the 0 key fits the whole section again, + and - zoom about
// the middle. Heights may be exaggerated 2, 5 or 10 times on the screen
// only, said in the top left corner. The texts, marks and legend keep their
// size whatever the zoom; the drawing is clipped to its box so that it never
// runs over the legend or the values at its edges.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "section/section_picture.h"
#include "window/views/plot_geometry.h"

class QPainter;

namespace window {

inline const QColor kCutColour(220, 70, 40, 110);
inline const QColor kFillColour(40, 110, 220, 100);
inline const QColor kGroundColour(130, 80, 20);
inline const QColor kDesignColour(Qt::black);
inline const QColor kCatchColour(0, 130, 60);

struct CanvasPicture {
    section::SectionPicture section;
    std::optional<double> pendingElevation{};  // of the Outline's next point
    std::optional<double> pendingOffset{};     // of the next point, with its elevation
    struct Ring {
        int point = 0;        // 1-based, 0 for none
        bool design = false;  // of the Design line, else of the first line
    } highlighted{};
};

class SectionCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit SectionCanvas(QWidget* parent = nullptr);

    void setPicture(CanvasPicture picture);
    const CanvasPicture& picture() const { return picture_; }

    // Where a metre of the section is drawn at the present size and view.
    SectionScale scale() const;

    void zoomAbout(QPointF at, double factor);
    void panBy(QPointF pixels);
    // The whole section in the window again.
    void fitToWindow();
    bool isFitted() const { return !view_; }
    // 1 for equal scales across and up, else 2, 5 or 10 say.
    void setExaggeration(int times);
    int exaggeration() const { return exaggeration_; }
    // What the drawing's corner says of the exaggeration; empty for none.
    QString cornerText() const;

    // One entry of the legend as drawn at the present size: a short stretch
    // of line or a patch of shading, and its text. None for an Outline.
    struct LegendEntry {
        QString text;
        QColor colour;
        bool shaded = false;
        QRectF mark;
        QRectF label;
    };
    std::vector<LegendEntry> legend() const;

    QSize sizeHint() const override { return {360, 300}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Zoomed from the fitted scale, and the place drawn in the box's middle.
    struct View {
        double zoom = 1;
        SectionPlace middle;
    };

    bool hasLegend() const;
    PixelBox drawingBox() const;
    SectionScale fittedScale() const;
    View currentView() const;
    void drawCorner(QPainter& painter) const;
    void drawRing(QPainter& painter, const SectionScale& scale) const;
    void drawCatchPoints(QPainter& painter, const SectionScale& scale) const;
    void drawLegend(QPainter& painter) const;
    // Brings the layers up to the Outline's confirmed points at `scale`.
    void updateLayers(const SectionScale& scale, const PixelBox& box);

    CanvasPicture picture_;
    std::optional<View> view_;  // none: fitted
    int exaggeration_ = 1;
    std::optional<QPointF> dragFrom_;
    QImage grid_, edges_, marks_;
    std::optional<SectionScale> layeredScale_;
    std::size_t layered_ = 0;           // the Outline's points in the layers: its first ones
    std::vector<QStaticText> numbers_;  // of the points, 1, 2, ...
};

}  // namespace window
