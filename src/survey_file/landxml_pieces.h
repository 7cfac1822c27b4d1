// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A surface that a design program wrote in several PntList2D pieces (a ground
// survey broken by a stream or a structure) made into one line: pieces that
// touch (one ends where the next starts) are one; across a gap the line
// follows the other line of the section, so that the gap adds no area and
// the areas are those over the covered range only.

#include <span>
#include <utility>
#include <vector>

#include "section/cut_fill_survey.h"

namespace survey_file {

using Piece = std::vector<section::Point>;

// Pieces that touch joined, the point where they touch once.
std::vector<Piece> joinTouching(std::vector<Piece> pieces);

// A gap of a line, its ends in S (offset positive to the left).
struct LineGap {
    double from = 0.0;
    double to = 0.0;
};

// The pieces (in order along the line) as one line, across each gap the
// course of `other` where `other` covers it; the gaps as found.
Piece bridged(const std::vector<Piece>& pieces, std::span<const section::Point> other,
              std::vector<LineGap>& gaps);

}  // namespace survey_file
