// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing of one cross-section, to scale: a metre grid with its values,
// the centre line S = 0 dashed red, every point marked and numbered in the
// order entered, the edges in that order and the closing edge from the last
// point back to the first dashed. A value being confirmed is drawn in orange:
// a point whose distance is being confirmed, or the level of an elevation
// whose distance is not entered yet.

#include <QWidget>
#include <optional>
#include <vector>

#include "section/user_interface.h"

namespace window {

struct SectionPicture {
    std::vector<section::SectionDraft::Point> points;
    std::optional<double> pendingElevation;  // of the next point
    std::optional<double> pendingOffset;     // of the next point, with its elevation
};

class SectionCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit SectionCanvas(QWidget* parent = nullptr);

    void setPicture(SectionPicture picture);
    const SectionPicture& picture() const { return picture_; }

    QSize sizeHint() const override { return {360, 300}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SectionPicture picture_;
};

}  // namespace window
