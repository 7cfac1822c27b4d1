// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing of one cut-and-fill cross-section, to scale as the closed
// outline's: the metre grid and the centre line, the cut region (the ground
// above the design, 挖方) and the fill region (the design above the ground,
// 填方) shaded in two colours, the ground line and the design line over them
// with their points marked, the point of the table's current row ringed, and
// a legend in a row above the drawing.

#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

#include "section/cut_fill_regions.h"
#include "section/cut_fill_survey.h"
#include "window/views/plot_geometry.h"

namespace window {

inline const QColor kCutColour(220, 70, 40, 110);
inline const QColor kFillColour(40, 110, 220, 100);
inline const QColor kGroundColour(130, 80, 20);
inline const QColor kDesignColour(Qt::black);

struct CutFillPicture {
    std::vector<section::Point> ground;
    std::vector<section::Point> design;
    struct Ring {
        int point = 0;  // 1-based, 0 for none
        bool design = false;
    } highlighted{};
};

class CutFillCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit CutFillCanvas(QWidget* parent = nullptr);

    void setPicture(CutFillPicture picture);
    const CutFillPicture& picture() const { return picture_; }
    const section::CutFillRegions& regions() const { return regions_; }

    // Where a metre of the section is drawn at the present size.
    SectionScale scale() const;

    // One entry of the legend as drawn at the present size: a short stretch
    // of line or a patch of shading, and its text.
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

  private:
    PixelBox plotBox() const;

    CutFillPicture picture_;
    section::CutFillRegions regions_;
};

}  // namespace window
