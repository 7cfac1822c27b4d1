// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_side_fit.h"

#include <algorithm>
#include <cmath>

namespace section {

namespace {

// A template beyond this many vertices on one side (a repeated stage that
// barely moves outward) is taken as missing the ground.
constexpr int kMostVertices = 10000;

struct Move {
    double along = 0.0;  // outward
    double rise = 0.0;
};

// The template from the road edge outward as moves: the ditch in cut, then
// each stage's slope and berm, the last stage with a height again and again;
// a last stage without height is a ray.
class TemplateMoves {
  public:
    enum class Kind { Segment, Ray, End };

    TemplateMoves(const DitchRow* ditch, std::span<const SlopeRow> stages, SlopeKind kind)
        : ditch_(ditch), stages_(stages), up_(kind == SlopeKind::Cut ? 1.0 : -1.0) {}

    Kind next(Move& move) {
        while (ditch_ && ditchStep_ < 3) {
            const DitchRow& d = *ditch_;
            const Move steps[] = {{d.innerRatio * d.depth, -d.depth},
                                  {d.bottomWidth, 0.0},
                                  {d.outerRatio * d.depth, d.depth}};
            move = steps[ditchStep_++];
            if (move.along != 0 || move.rise != 0) return Kind::Segment;
        }
        while (stage_ < static_cast<int>(stages_.size())) {
            const SlopeRow& stage = stages_[stage_];
            const bool last = stage_ + 1 == static_cast<int>(stages_.size());
            // A last stage that never moves outward is a vertical wall.
            if (!stage.height || (last && stage.ratio == 0 && stage.bermWidth == 0)) {
                move = {stage.ratio, up_};
                return Kind::Ray;
            }
            if (!onBerm_) {
                onBerm_ = true;
                move = {stage.ratio * *stage.height, up_ * *stage.height};
                return Kind::Segment;
            }
            onBerm_ = false;
            if (!last) ++stage_;
            if (stage.bermWidth > 0) {
                move = {stage.bermWidth, stage.bermWidth * stage.bermCrossfall / 100};
                return Kind::Segment;
            }
        }
        return Kind::End;
    }

  private:
    const DitchRow* ditch_;
    std::span<const SlopeRow> stages_;
    double up_;
    int ditchStep_ = 0;
    int stage_ = 0;
    bool onBerm_ = false;
};

// The template and the ground walked outward together from the centre
// line: both sampled at every vertex of either, the catch point being the
// first place where the template is no longer on the side of the ground it
// started on. The plates are walked without looking at the ground.
class Walk {
  public:
    Walk(const SideGround& ground, double sign, double centreElevation, std::vector<Point>& line)
        : ground_(ground),
          sign_(sign),
          end_(ground.size() ? std::max(0.0, ground.distance(ground.size() - 1)) : HUGE_VAL),
          line_(line),
          here_{centreElevation, 0.0} {}

    // The end of the ground line, as a distance outward (0 at the least).
    double end() const { return end_; }
    // Where the walk is: elevation and distance outward.
    Point here() const { return here_; }

    void add(double u, double z) {
        if (u == here_.offset && z == here_.elevation) return;
        here_ = {z, u};
        line_.push_back({z, sign_ * u});
    }

    // From here on the ground counts; true when the template meets it here.
    bool start(bool fill) {
        fill_ = fill;
        passed_ = ground_.passed(here_.offset);
        const std::optional<double> g = groundHere();
        return g && sample(here_.offset, here_.elevation, *g);
    }

    // Walks on to (u, z), at or beyond here; true when the template met the
    // ground on the way or went past its end, where the line then ends.
    bool to(double u, double z) {
        const Point from = here_;
        if (u > from.offset) {
            auto templateAt = [&](double d) {
                return from.elevation +
                       (z - from.elevation) * (d - from.offset) / (u - from.offset);
            };
            while (passed_ < ground_.size() && ground_.distance(passed_) <= std::min(u, end_)) {
                const double d = ground_.distance(passed_);
                if (sample(d, templateAt(d), ground_.elevation(passed_))) return true;
                ++passed_;
            }
            if (u > end_) {
                add(end_, templateAt(end_));
                return true;
            }
        }
        const std::optional<double> g = ground_.elevationAt(u, passed_);
        if (g && sample(u, z, *g)) return true;
        add(u, z);
        return false;
    }

    std::optional<double> groundHere() const { return ground_.elevationAt(here_.offset, passed_); }
    std::optional<double> catchDistance() const { return caught_; }

  private:
    bool sample(double u, double zt, double zg) {
        const double f = zt - zg;
        if (fill_ ? f > 0 : f < 0) {
            previous_ = {f, u, zt};
            return false;
        }
        if (previous_) {
            const double t = previous_->f / (previous_->f - f);
            u = previous_->u + (u - previous_->u) * t;
            zt = previous_->z + (zt - previous_->z) * t;
        }
        caught_ = u;
        add(u, zt);
        return true;
    }

    struct Sample {
        double f, u, z;
    };
    const SideGround& ground_;
    double sign_;
    double end_;
    std::vector<Point>& line_;
    Point here_;
    bool fill_ = true;
    int passed_ = 0;
    std::optional<Sample> previous_;
    std::optional<double> caught_;
};

// The ground's elevation at `u`, or at its nearest end.
double nearestGround(const SideGround& ground, double u) {
    const int passed = ground.passed(u);
    if (const std::optional<double> g = ground.elevationAt(u, passed)) return *g;
    return ground.elevation(passed == 0 ? 0 : ground.size() - 1);
}

// Walks the slopes (and ditch) outward from the road edge until they meet
// the ground or pass its end.
void walkSlopes(TemplateMoves moves, Walk& walk) {
    for (int count = 0; count < kMostVertices; ++count) {
        Move move;
        const Point here = walk.here();
        switch (moves.next(move)) {
            case TemplateMoves::Kind::End:
                return;
            case TemplateMoves::Kind::Segment:
                if (walk.to(here.offset + move.along, here.elevation + move.rise)) return;
                break;
            case TemplateMoves::Kind::Ray:
                if (move.along > 0) {
                    const double u = std::max(walk.end(), here.offset) + 1;
                    walk.to(u, here.elevation + move.rise * (u - here.offset) / move.along);
                } else if (const std::optional<double> g = walk.groundHere()) {
                    walk.to(here.offset,
                            here.elevation + move.rise * (std::abs(here.elevation - *g) + 1));
                }
                return;
        }
    }
}

}  // namespace

SideGround::SideGround(std::span<const Point> ground, RoadSide side)
    : points_(ground.data()),
      size_(static_cast<int>(ground.size())),
      sign_(side == RoadSide::Left ? 1.0 : -1.0) {
    const bool ascending = ground.empty() || ground.front().offset <= ground.back().offset;
    reversed_ = ascending != (side == RoadSide::Left);
}

int SideGround::passed(double distance) const {
    int low = 0, high = size_;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (this->distance(middle) <= distance)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::optional<double> SideGround::elevationAt(double distance, int passed) const {
    if (passed == 0) return std::nullopt;
    if (passed == size_)
        return this->distance(size_ - 1) == distance ? std::optional(elevation(size_ - 1))
                                                     : std::nullopt;
    const double d0 = this->distance(passed - 1), d1 = this->distance(passed);
    return elevation(passed - 1) +
           (elevation(passed) - elevation(passed - 1)) * (distance - d0) / (d1 - d0);
}

SideOutcome fitSide(const SideDesign& design, RoadSide side, double centreElevation,
                    const SideGround& ground, std::vector<Point>& line) {
    SideOutcome outcome;
    Walk walk(ground, side == RoadSide::Left ? 1.0 : -1.0, centreElevation, line);
    const int plates = design.plates.plateCount(side);
    for (int k = 0; k < plates; ++k) {
        const Plate plate = design.plates.plate(design.place, side, k);
        const Point here = walk.here();
        outcome.fit.roadEdge += plate.width;
        const double u = std::min(here.offset + plate.width, walk.end());
        walk.add(u, here.elevation + (u - here.offset) * plate.crossfall / 100);
    }
    if (ground.size() == 0) {
        outcome.problem = FitProblem::SlopeMisses;
        return outcome;
    }
    const Point edge = walk.here();
    const bool fill = nearestGround(ground, edge.offset) <= edge.elevation;
    outcome.fit.kind = fill ? SlopeKind::Fill : SlopeKind::Cut;
    if (outcome.fit.roadEdge > walk.end()) {
        outcome.problem = FitProblem::RoadWiderThanGround;
        return outcome;
    }
    if (!walk.start(fill)) {
        const SlopeKind kind = outcome.fit.kind;
        walkSlopes(TemplateMoves(fill ? nullptr : design.slopes.ditch(design.chainage, side),
                                 design.slopes.stages(design.chainage, side, kind), kind),
                   walk);
    }
    outcome.fit.catchDistance = walk.catchDistance();
    if (!outcome.fit.catchDistance) outcome.problem = FitProblem::SlopeMisses;
    return outcome;
}

}  // namespace section
