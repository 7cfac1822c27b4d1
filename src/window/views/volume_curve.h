// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cumulative volume curve (累计土方曲线): the running total of the volumes
// against the station, or against the section number when no stations were
// entered; negative volumes make it fall.

#include <QWidget>
#include <vector>

#include "section/survey.h"

namespace window {

class VolumeCurve : public QWidget {
    Q_OBJECT

  public:
    explicit VolumeCurve(QWidget* parent = nullptr);

    void showSurvey(const section::SectionSurvey& survey);

    struct Point {
        double along = 0;  // station in metres, or section number
        double total = 0;  // running total, cubic metres
    };
    const std::vector<Point>& points() const { return points_; }

    QSize sizeHint() const override { return {520, 260}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<Point> points_;
    bool stations_ = false;
};

}  // namespace window
