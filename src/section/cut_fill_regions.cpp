// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_regions.h"

#include "section/cut_fill_area.h"
#include "section/cut_fill_sweep.h"

namespace section {

namespace {

enum class Side { None, Cut, Fill };

// The region being traced: its upper line left to right and its lower line,
// also left to right, to be read back.
class Tracer {
  public:
    explicit Tracer(CutFillRegions& regions) : regions_(regions) {}

    // A strip from a to b with no crossing inside it: ground and design
    // values at its two sides.
    void strip(double a, double b, double ga, double da, double gb, double db) {
        const double sum = (ga - da) + (gb - db);
        const Side side = sum > 0.0 ? Side::Cut : sum < 0.0 ? Side::Fill : Side::None;
        if (side != side_ || a != end_) finish();
        side_ = side;
        end_ = b;
        if (side == Side::None) return;
        const bool cut = side == Side::Cut;
        add(upper_, {cut ? ga : da, a});
        add(lower_, {cut ? da : ga, a});
        add(upper_, {cut ? gb : db, b});
        add(lower_, {cut ? db : gb, b});
    }

    void finish() {
        if (side_ != Side::None && !upper_.empty()) {
            std::vector<Point> outline = upper_;
            // Back along the lower line; where the lines meet at an end the
            // point is there once.
            for (auto k = lower_.rbegin(); k != lower_.rend(); ++k) add(outline, *k);
            if (outline.size() > 1 && outline.back() == outline.front()) outline.pop_back();
            (side_ == Side::Cut ? regions_.cut : regions_.fill).push_back(std::move(outline));
        }
        upper_.clear();
        lower_.clear();
        side_ = Side::None;
    }

  private:
    static void add(std::vector<Point>& points, Point point) {
        if (points.empty() || points.back() != point) points.push_back(point);
    }

    CutFillRegions& regions_;
    std::vector<Point> upper_, lower_;
    Side side_ = Side::None;
    double end_ = 0.0;
};

}  // namespace

CutFillRegions cutFillRegions(std::span<const Point> ground, std::span<const Point> design) {
    CutFillRegions regions;
    if (ground.size() < 2 || design.size() < 2 || pointGoingBack(ground) || pointGoingBack(design))
        return regions;
    const auto lines = sweep::overlapping(ground, design);
    if (!lines) return regions;
    Tracer tracer(regions);
    sweep::forEachStrip(*lines,
                        [&](double a, double b, double ga, double da, double gb, double db) {
                            const double ea = ga - da, eb = gb - db;
                            if ((ea > 0.0 && eb < 0.0) || (ea < 0.0 && eb > 0.0)) {
                                // Split where the difference is zero, on the ground line.
                                const double share = ea / (ea - eb);
                                const double s = a + (b - a) * share;
                                const double h = ga + (gb - ga) * share;
                                tracer.strip(a, s, ga, da, h, h);
                                tracer.strip(s, b, h, h, gb, db);
                            } else {
                                tracer.strip(a, b, ga, da, gb, db);
                            }
                        });
    tracer.finish();
    return regions;
}

}  // namespace section
