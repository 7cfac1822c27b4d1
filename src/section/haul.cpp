// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/haul.h"

#include <algorithm>
#include <cmath>

namespace section {

namespace {

// What is left of a pair once hauled to the last cubic millimetre is float
// noise from the subtraction, not earth to waste or borrow.
constexpr double kNegligible = 1e-9;

struct Waiting {
    int item = 0;  // among the pairs with a net, in order
    int row = 0;
    double centre = 0.0;
    double amount = 0.0;  // still to haul, positive
    bool surplus = false;
};

struct Leftover {
    int item = 0;
    int row = 0;
    Unbalanced kind = Unbalanced::Waste;
    double volume = 0.0;
};

void extend(RowSpan& span, int row, bool fresh) {
    if (fresh) span = {row, row};
    span.first = std::min(span.first, row);
    span.last = std::max(span.last, row);
}

class Balancer {
  public:
    Balancer(const HaulDistances& distances, Haul& out) : distances_(distances), out_(out) {}

    void take(Waiting next) {
        while (next.amount > 0 && !stack_.empty() && stack_.back().surplus != next.surplus) {
            Waiting& top = stack_.back();
            const double distance = std::abs(next.centre - top.centre);
            if (distances_.economicHaul && distance > *distances_.economicHaul) {
                flush();
                break;
            }
            const double volume = std::min(next.amount, top.amount);
            record(next.surplus ? next.row : top.row, next.surplus ? top.row : next.row, volume,
                   distance);
            next.amount -= volume;
            top.amount -= volume;
            if (next.amount <= kNegligible) next.amount = 0;
            const bool used = top.amount <= kNegligible;
            if (used) stack_.pop_back();
            // The curve is back at a level it had at a section, or crosses
            // the level it started from.
            if (stack_.empty() || (used && next.amount == 0)) close();
        }
        if (next.amount > 0) stack_.push_back(next);
    }

    void finish() {
        flush();
        std::ranges::sort(leftovers_, {}, &Leftover::item);
        for (const Leftover& left : leftovers_) {
            const bool joins = !out_.unbalanced.empty() && previousItem_ + 1 == left.item &&
                               out_.unbalanced.back().kind == left.kind;
            if (joins) {
                out_.unbalanced.back().rows.last = left.row;
                out_.unbalanced.back().volume += left.volume;
            } else {
                out_.unbalanced.push_back({left.kind, {left.row, left.row}, left.volume});
            }
            previousItem_ = left.item;
        }
    }

  private:
    void record(int cutRow, int fillRow, double volume, double distance) {
        const bool fresh = stretch_.volume == 0;
        extend(stretch_.cut, cutRow, fresh);
        extend(stretch_.fill, fillRow, fresh);
        stretch_.volume += volume;
        stretch_.moment += volume * distance;
    }

    // What waits cannot go further than the pair that could not reach it.
    void flush() {
        for (const Waiting& waiting : stack_)
            leftovers_.push_back({waiting.item, waiting.row,
                                  waiting.surplus ? Unbalanced::Waste : Unbalanced::Borrow,
                                  waiting.amount});
        stack_.clear();
        close();
    }

    void close() {
        if (stretch_.volume <= 0) return;
        stretch_.overhaul = std::max(0.0, stretch_.moment - stretch_.volume * distances_.freeHaul);
        out_.stretches.push_back(stretch_);
        stretch_ = {};
    }

    const HaulDistances& distances_;
    Haul& out_;
    std::vector<Waiting> stack_;
    HaulStretch stretch_;
    std::vector<Leftover> leftovers_;
    int previousItem_ = -2;
};

std::vector<MassPoint> massCurve(const std::vector<EarthworksRow>& rows) {
    std::vector<MassPoint> curve;
    double total = 0;
    for (const EarthworksRow& row : rows) {
        if (curve.empty() || curve.back().chainage != row.fromChainage)
            curve.push_back({row.fromChainage, total});
        total += row.surplusCompacted - row.shortfall;
        curve.push_back({row.toChainage, total});
    }
    return curve;
}

}  // namespace

Haul haul(const Earthworks& earthworks, const HaulDistances& distances) {
    Haul out;
    out.distances = distances;
    out.massCurve = massCurve(earthworks.rows);
    Balancer balancer(distances, out);
    int item = 0;
    for (int i = 0; i < int(earthworks.rows.size()); ++i) {
        const EarthworksRow& row = earthworks.rows[std::size_t(i)];
        const double net = row.surplusCompacted - row.shortfall;
        if (net == 0) continue;
        balancer.take({item++, i, (row.fromChainage + row.toChainage) / 2, std::abs(net), net > 0});
    }
    balancer.finish();
    return out;
}

}  // namespace section
