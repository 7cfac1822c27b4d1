// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey.h"

#include <algorithm>
#include <stdexcept>

#include "runtime/number_text.h"
#include "section/cut_fill_survey.h"

namespace section {

void SectionSurvey::resize(int n) {
    if (n < 0) throw std::out_of_range("negative section count");
    sectionCount_ = n;
    stationAnswer_.clear();
    volumeMethod_ = VolumeMethod::AverageEndArea;
    elevations_ = {};
    offsets_ = {};
    totalVolume_ = 0.0;
    maxPointCount_ = 0;
    stations_.assign(n + 1, 0.0);
    prefixes_ = {};
    pointCounts_.assign(n + 1, 0);
    firstPoint_.assign(n + 2, 0);
    spacings_.assign(n + 1, 0.0);
    areas_.assign(n + 1, 0.0);
    volumes_.assign(std::max(n, 1), 0.0);
}

bool SectionSurvey::stationsEntered() const {
    return answersYes(stationAnswer_);
}

bool CutFillSurvey::stationsEntered() const {
    return answersYes(stationAnswer);
}

bool answersYes(const std::string& stationAnswer) {
    const std::string answer = runtime::toHalfWidth(stationAnswer);
    const auto begin = answer.find_first_not_of(" \t");
    if (begin == std::string::npos) return false;
    const auto end = answer.find_last_not_of(" \t");
    const std::string word = answer.substr(begin, end - begin + 1);
    return word == "y" || word == "Y";
}

void SectionSurvey::checkSection(int i, int last) const {
    if (i < 0 || i > last) throw std::out_of_range("section index " + std::to_string(i));
}

double SectionSurvey::stations(int i) const {
    checkSection(i, sectionCount_);
    return stations_[i];
}

void SectionSurvey::setStation(int i, double station) {
    checkSection(i, sectionCount_);
    stations_[i] = station;
}

const std::string& SectionSurvey::stationPrefix(int i) const {
    static const std::string kUsual;
    checkSection(i, sectionCount_);
    return prefixes_.empty() ? kUsual : prefixes_[i];
}

void SectionSurvey::setStationPrefix(int i, std::string prefix) {
    checkSection(i, sectionCount_);
    if (prefixes_.empty() && prefix.empty()) return;
    prefixes_.resize(std::size_t(sectionCount_) + 1);
    const bool removed = prefix.empty() && !prefixes_[i].empty();
    prefixes_[i] = std::move(prefix);
    // The last letters taken away leave none, as a survey that never had
    // any, so that the two compare equal.
    if (removed && std::all_of(prefixes_.begin(), prefixes_.end(),
                               [](const std::string& p) { return p.empty(); }))
        prefixes_.clear();
}

std::int16_t SectionSurvey::pointCounts(int i) const {
    checkSection(i, sectionCount_);
    return pointCounts_[i];
}

void SectionSurvey::setPointCount(int i, std::int16_t count) {
    checkSection(i, sectionCount_);
    pointCounts_[i] = count;
}

std::uint32_t SectionSurvey::layOutSections() {
    std::uint32_t total = 0;
    maxPointCount_ = sectionCount_ > 0 ? pointCounts_[1] : 0;
    for (int i = 1; i <= sectionCount_; ++i) {
        firstPoint_[i] = total;
        total += std::max<std::int16_t>(pointCounts_[i], 0);
        maxPointCount_ = std::max<int>(maxPointCount_, pointCounts_[i]);
    }
    firstPoint_[sectionCount_ + 1] = total;
    return total;
}

void SectionSurvey::allocatePoints() {
    const std::uint32_t total = layOutSections();
    // Room for every point at once when the counts are plausible; absurd counts
    // (32767 sections of 32766 points) get memory only as points arrive.
    const std::size_t room = std::min<std::size_t>(total, kPointsReservedAtOnce);
    elevations_.clear();
    offsets_.clear();
    elevations_.reserve(room);
    offsets_.reserve(room);
}

void SectionSurvey::takePoints(std::vector<double> elevations, std::vector<double> offsets) {
    const std::uint32_t total = layOutSections();
    if (elevations.size() != total || offsets.size() != total)
        throw std::length_error("the points do not match the point counts");
    elevations_ = std::move(elevations);
    offsets_ = std::move(offsets);
}

long long SectionSurvey::pointIndex(int i, int j) const {
    checkSection(i, sectionCount_);
    if (j < 0 || j > std::max(maxPointCount_, 0) + 1)
        throw std::out_of_range("point index " + std::to_string(j));
    if (i == 0 || j == 0 || j > pointCounts_[i]) return -1;
    return static_cast<long long>(firstPoint_[i]) + j - 1;
}

double SectionSurvey::elevations(int i, int j) const {
    const long long k = pointIndex(i, j);
    return k < 0 || k >= static_cast<long long>(elevations_.size()) ? 0.0 : elevations_[k];
}

double SectionSurvey::offsets(int i, int j) const {
    const long long k = pointIndex(i, j);
    return k < 0 || k >= static_cast<long long>(offsets_.size()) ? 0.0 : offsets_[k];
}

void SectionSurvey::setPoint(int i, int j, double elevation, double offset) {
    const long long k = pointIndex(i, j);
    if (k < 0) throw std::out_of_range("no room for point " + std::to_string(j));
    // Points arrive in order, so this normally appends one.
    if (k >= static_cast<long long>(elevations_.size())) {
        elevations_.resize(k + 1, 0.0);
        offsets_.resize(k + 1, 0.0);
    }
    elevations_[k] = elevation;
    offsets_[k] = offset;
}

double SectionSurvey::spacings(int i) const {
    checkSection(i, sectionCount_);
    return spacings_[i];
}

void SectionSurvey::setSpacing(int i, double spacing) {
    checkSection(i, sectionCount_ - 1);
    spacings_[i] = spacing;
}

double SectionSurvey::areas(int i) const {
    checkSection(i, sectionCount_);
    return areas_[i];
}

void SectionSurvey::setArea(int i, double area) {
    checkSection(i, sectionCount_);
    areas_[i] = area;
}

double SectionSurvey::volumes(int i) const {
    checkSection(i, std::max(sectionCount_ - 1, 0));
    return volumes_[i];
}

void SectionSurvey::setVolume(int i, double volume) {
    checkSection(i, sectionCount_ - 1);
    volumes_[i] = volume;
}

void SectionSurvey::checkComplete(int i) const {
    checkSection(i, sectionCount_);
    if (firstPoint_[i + 1] > elevations_.size())
        throw std::logic_error("section " + std::to_string(i) + " is not complete");
}

const double* SectionSurvey::sectionElevations(int i) const {
    checkComplete(i);
    return elevations_.data() + firstPoint_[i];
}

const double* SectionSurvey::sectionOffsets(int i) const {
    checkComplete(i);
    return offsets_.data() + firstPoint_[i];
}

std::size_t SectionSurvey::heldBytes() const {
    return stationAnswer_.capacity() + stations_.capacity() * sizeof(double) +
           prefixes_.capacity() * sizeof(std::string) +
           pointCounts_.capacity() * sizeof(std::int16_t) +
           firstPoint_.capacity() * sizeof(std::uint32_t) +
           (elevations_.capacity() + offsets_.capacity() + spacings_.capacity() +
            areas_.capacity() + volumes_.capacity()) *
               sizeof(double);
}

}  // namespace section
