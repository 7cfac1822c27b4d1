// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/earthworks.h"

#include <algorithm>

#include "section/cut_fill_calculation.h"
#include "section/road_stretches.h"

namespace section {

namespace {

constexpr int kCommonSoil = 1;  // Ⅱ 普通土

struct ClassRange {
    Stretch stretch;
    ClassFigures percent;
};

// The sections placed along the road; without stations, at the spacings
// added up from section 1.
std::vector<ChainedStation> placedOf(const CutFillSurvey& survey, const Chainage& chainage) {
    if (survey.stationsEntered()) {
        std::vector<double> stations;
        stations.reserve(survey.sections.size());
        for (const CutFillSection& section : survey.sections) stations.push_back(section.station);
        return chainage.place(stations);
    }
    std::vector<ChainedStation> placed;
    placed.reserve(survey.sections.size());
    double along = 0.0;
    for (const CutFillSection& section : survey.sections) {
        placed.push_back({along, 0, along});
        along += section.spacing;
    }
    return placed;
}

// How much of the range the pair's counted parts cover; for a pair of no
// counted length, 1 when the range holds its start.
double weightOf(const std::vector<Stretch>& parts, double length, double at, const Stretch& range) {
    if (length <= 0.0) return range.from <= at && at <= range.to ? 1.0 : 0.0;
    double sum = 0.0;
    for (const Stretch& part : parts) sum += overlap(part, range);
    return sum;
}

// The classes' shares of a pair in percent, each range weighed by the
// length of the pair's counted parts it covers, what none covers taken as
// Ⅱ; a pair of no counted length takes the first range at its start.
ClassFigures sharesOf(const std::vector<Stretch>& parts, double at,
                      const std::vector<ClassRange>& ranges, bool& assumed) {
    double length = 0.0;
    for (const Stretch& part : parts) length += part.length();
    ClassFigures weighted{};
    double covered = 0.0;
    for (const ClassRange& range : ranges) {
        const double weight = weightOf(parts, length, at, range.stretch);
        if (weight <= 0.0) continue;
        for (int j = 0; j < kSoilClasses; ++j) weighted[j] += weight * range.percent[j];
        covered += weight;
        if (length <= 0.0) break;
    }
    const double rest = std::max(0.0, (length > 0.0 ? length : 1.0) - covered);
    assumed = rest > 0.0;
    weighted[kCommonSoil] += rest * 100.0;
    for (double& share : weighted) share /= covered + rest;
    return weighted;
}

// The pair's cut split by its shares and set against its fill.
void splitCut(EarthworksRow& row, const ClassFigures& factors) {
    double usable = 0.0;
    for (int j = 0; j < kSoilClasses; ++j) {
        row.cutByClass[j] = row.cut * row.percent[j] / 100.0;
        usable += row.cutByClass[j] / factors[j];
    }
    if (row.fill >= usable) {
        row.used = row.cutByClass;
        row.shortfall = row.fill - usable;
        return;
    }
    double remaining = row.fill;
    for (int j = 0; j < kSoilClasses; ++j) {
        row.used[j] = std::min(row.cutByClass[j], std::max(0.0, remaining) * factors[j]);
        remaining -= row.used[j] / factors[j];
        row.surplus[j] = row.cutByClass[j] - row.used[j];
        row.surplusCompacted += row.surplus[j] / factors[j];
    }
}

}  // namespace

Earthworks earthworks(const CutFillSurvey& survey, const RoadDesign& design) {
    Earthworks works;
    works.factors = design.factors.value_or(kDefaultFactors);
    // Structures stand at stations; without them the calculation counted
    // every spacing whole, and so do the rows.
    std::vector<StationRange> structureRanges;
    if (survey.stationsEntered())
        for (const StructureRow& row : design.structures) structureRanges.push_back(row.range);
    const Chainage chainage(design.breaks, structureRanges);
    const std::vector<ChainedStation> placed = placedOf(survey, chainage);
    works.chainages.reserve(placed.size());
    for (const ChainedStation& station : placed) works.chainages.push_back(station.chainage);
    std::vector<ClassRange> ranges;
    for (const SoilClassRow& row : design.soilClasses)
        ranges.push_back({placedStretch(chainage, row.range), row.percent});
    std::vector<Stretch> structures;
    for (const StationRange& range : structureRanges)
        structures.push_back(placedStretch(chainage, range));
    for (int i = 1; i < survey.sectionCount(); ++i) {
        if (!pairHasVolumes(survey, i)) continue;
        const CutFillSection& section = survey.sections[std::size_t(i - 1)];
        EarthworksRow row;
        row.section = i + 1;
        row.fromChainage = works.chainages[std::size_t(i - 1)];
        row.toChainage = works.chainages[std::size_t(i)];
        row.cut = section.cutVolume;
        row.fill = section.fillVolume;
        const Stretch pair{std::min(row.fromChainage, row.toChainage),
                           std::max(row.fromChainage, row.toChainage)};
        row.structures =
            chainage.structuresAcross(placed[std::size_t(i - 1)], placed[std::size_t(i)]);
        row.percent = sharesOf(outside(pair, structures), pair.from, ranges, row.classAssumed);
        splitCut(row, works.factors);
        works.rows.push_back(std::move(row));
    }
    return works;
}

}  // namespace section
