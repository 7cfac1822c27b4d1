// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Continuous chainage across 断链. A station as written (桩号) is placed on
// the stretch of road it belongs to: stretch 0 runs up to the first break's
// 断前桩号, stretch k from break k's 断后桩号 up to the next break's 断前桩号.
// Its chainage is the station plus the lengths of the 长链 and less those of
// the 短链 passed before that stretch (before - after of each break).
//
// In a 长链's overlap a station occurs on two stretches. Stations are placed
// in road order: each on the first stretch, at or after the stretch of the
// station before it, where its chainage does not fall behind that one's; a
// station the order cannot settle (more than one such stretch) is placed on
// the first and marked Ambiguous. A station in a 短链's gap lies on no
// stretch: it is placed as if the break were not there and marked InGap.
//
// The 构造物 (bridges, culverts, tunnels) carry no earthworks: the spacing
// of two sections, the length their volumes are worked out over, leaves
// out what of the road between them a structure covers.

#include <optional>
#include <vector>

#include "runtime/exact_decimal.h"
#include "section/road_design.h"

namespace section {

enum class StationPlace { Plain, Ambiguous, InGap };

struct ChainedStation {
    double station = 0.0;   // as written
    int stretch = 0;        // 0 before the first break, k after break k
    double chainage = 0.0;  // continuous
    StationPlace place = StationPlace::Plain;
    bool operator==(const ChainedStation&) const = default;
};

class Chainage {
  public:
    Chainage() = default;
    // `breaks` in order along the road; the ranges of the 构造物 as written.
    explicit Chainage(std::vector<ChainBreak> breaks,
                      const std::vector<StationRange>& structures = {});

    bool empty() const { return breaks_.empty() && structures_.empty(); }
    const std::vector<ChainBreak>& breaks() const { return breaks_; }

    // The stations of consecutive sections in road order, each placed.
    std::vector<ChainedStation> place(const std::vector<double>& stations) const;

    // The spacing from `a` to `b`, worked out exactly from the stations as
    // written, the breaks between and the structures' ranges, kept as the
    // nearest 64-bit value (as spacings without breaks are); nothing when
    // beyond the accepted range. Going back (b before a) it is the plain
    // difference, negative, for the survey's checks to name.
    std::optional<double> spacing(const ChainedStation& a, const ChainedStation& b) const;

    // The structures (indices into those given) that cover some of the
    // road from `a` to `b`.
    std::vector<int> structuresAcross(const ChainedStation& a, const ChainedStation& b) const;

  private:
    struct Covered {
        runtime::ExactDecimal from;  // continuous chainage, exactly
        runtime::ExactDecimal to;
        int structure = 0;
        // Whether it may reach into the stretch from..to, by the 64-bit
        // values: most structures lie far from a pair and cost no exact sum.
        bool near(double from, double to) const;
        double nearFrom = 0.0;
        double nearTo = 0.0;
    };
    runtime::ExactDecimal exactChainage(const ChainedStation& placed) const;

    std::vector<ChainBreak> breaks_;
    std::vector<Covered> structures_;  // in order of `from`
};

}  // namespace section
