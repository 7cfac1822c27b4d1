// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of one calculation: everything entered and computed for a road's
// cross-sections.
//
// Sections are numbered 1..sectionCount() and the points of section i
// 1..pointCounts(i). Index 0 is never written and reads as 0, and so do point
// positions past a section's own count up to maxPointCount() + 1 (the room the
// largest section needs for its closing point). An index outside those ranges
// throws std::out_of_range.
//
// The points are kept one section after another in two flat arrays, so memory
// grows with the points actually entered, not with sections x largest section.

#include <cstdint>
#include <string>
#include <vector>

#include "section/volume_method.h"

namespace section {

// As many sections and points as a closed-outline survey may hold, typed or
// read from any file, so that whatever is saved opens again; a section's
// closing point needs one more within a 16-bit count.
inline constexpr int kMostSections = 32767;
inline constexpr int kMostPoints = 32766;

// True when the answer to the station question is "y" or "Y" (full-width "ｙ"
// or "Ｙ" too), blanks around it ignored.
bool answersYes(const std::string& stationAnswer);

class SectionSurvey {
  public:
    SectionSurvey() { resize(0); }

    // Starts a new survey of n sections (n >= 0): every earlier value, the station
    // answer included, is gone and all stations and point counts are 0.
    void resize(int n);

    int sectionCount() const { return sectionCount_; }
    const std::string& stationAnswer() const { return stationAnswer_; }
    void setStationAnswer(std::string answer) { stationAnswer_ = std::move(answer); }
    // The rule volumes() are worked out by.
    VolumeMethod volumeMethod() const { return volumeMethod_; }
    void setVolumeMethod(VolumeMethod method) { volumeMethod_ = method; }

    // True when stations were entered: the answer to the station question is
    // "y" or "Y" (full-width "ｙ" or "Ｙ" too), blanks around it ignored.
    bool stationsEntered() const;

    double stations(int i) const;
    void setStation(int i, double station);
    // The letters before section i's kilometres (section/station.h): empty
    // for the usual "K".
    const std::string& stationPrefix(int i) const;
    void setStationPrefix(int i, std::string prefix);

    std::int16_t pointCounts(int i) const;
    void setPointCount(int i, std::int16_t count);

    // Lays out the point storage once every point count is known (counts below
    // 1 give a section without points). Points read 0 until set.
    void allocatePoints();
    // The same with every point given at once: the points of section 1, then
    // of section 2, and so on (as many as the counts say).
    void takePoints(std::vector<double> elevations, std::vector<double> offsets);
    int maxPointCount() const { return maxPointCount_; }

    double elevations(int i, int j) const;
    double offsets(int i, int j) const;
    void setPoint(int i, int j, double elevation, double offset);

    double spacings(int i) const;  // 1..n-1 hold values, n reads 0
    void setSpacing(int i, double spacing);
    double areas(int i) const;
    void setArea(int i, double area);
    double volumes(int i) const;  // 0..n-1
    void setVolume(int i, double volume);
    double totalVolume() const { return totalVolume_; }
    void setTotalVolume(double total) { totalVolume_ = total; }

    // The points of section i (1-based) as one contiguous run, for the area
    // loop; every point of the section must have been set.
    const double* sectionElevations(int i) const;
    const double* sectionOffsets(int i) const;

    // Bytes held by the record's arrays (capacity, not size).
    std::size_t heldBytes() const;

    bool operator==(const SectionSurvey&) const = default;

  private:
    // Where each section's points start; the number of points in all.
    std::uint32_t layOutSections();
    void checkSection(int i, int last) const;
    void checkComplete(int i) const;
    // Position of point j of section i in the flat arrays, or -1 when it is a
    // valid position that holds no point (index 0, or past the section's count).
    long long pointIndex(int i, int j) const;

    static constexpr std::size_t kPointsReservedAtOnce = 4'000'000;

    int sectionCount_ = 0;
    std::string stationAnswer_;
    VolumeMethod volumeMethod_ = VolumeMethod::AverageEndArea;
    std::vector<double> stations_;           // 0..n
    std::vector<std::string> prefixes_;      // 0..n, or none while every one is empty
    std::vector<std::int16_t> pointCounts_;  // 0..n
    std::vector<std::uint32_t>
        firstPoint_;  // 0..n+1: section i holds [firstPoint_[i], firstPoint_[i+1])
    std::vector<double> elevations_;
    std::vector<double> offsets_;
    std::vector<double> spacings_;  // 0..n
    std::vector<double> areas_;     // 0..n
    std::vector<double> volumes_;   // 0..n-1
    double totalVolume_ = 0.0;
    int maxPointCount_ = 0;
};

}  // namespace section
