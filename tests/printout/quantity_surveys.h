// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Surveys for the tests of the quantity table and its workbook: random ones of
// both kinds, calculated, with areas and spacings that need every decimal.

#include <cstdint>
#include <random>
#include <vector>

#include "section/calculation.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_survey.h"
#include "section/survey.h"

namespace quantity_surveys {

// Metres in millimetres, so every figure is one a surveyor writes.
inline double millimetres(std::mt19937& random, int from, int to) {
    return std::uniform_int_distribution<int>(from, to)(random) / 1000.0;
}

// `n` closed outlines, each a triangle of random size, with stations or with
// spacings; calculated.
inline section::SectionSurvey closedSurvey(std::mt19937& random, int n, bool stations) {
    section::SectionSurvey survey;
    survey.resize(n);
    survey.setStationAnswer(stations ? "y" : "n");
    for (int i = 1; i <= n; ++i) survey.setPointCount(i, 3);
    survey.allocatePoints();
    double station = millimetres(random, 0, 2000000);
    for (int i = 1; i <= n; ++i) {
        survey.setPoint(i, 1, 0, 0);
        survey.setPoint(i, 2, 0, millimetres(random, 1000, 30000));
        survey.setPoint(i, 3, millimetres(random, 100, 8000), millimetres(random, 0, 30000));
        if (stations) {
            survey.setStation(i, station);
            station += millimetres(random, 1000, 50000);
        } else if (i < n) {
            survey.setSpacing(i, millimetres(random, 1000, 50000));
        }
    }
    section::calculateSurvey(survey);
    return survey;
}

// `n` sections of a ground line across a level design line at a random
// height, so each has cut, fill or both; calculated.
inline section::CutFillSurvey cutFillSurvey(std::mt19937& random, int n) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    double station = millimetres(random, 0, 2000000);
    for (int i = 0; i < n; ++i) {
        section::CutFillSection s;
        s.station = station;
        station += millimetres(random, 1000, 50000);
        for (int k = -2; k <= 2; ++k) s.ground.push_back({millimetres(random, 0, 5000), 5.0 * k});
        const double design = millimetres(random, 0, 5000);
        s.design = {{design, -10}, {design, 10}};
        survey.sections.push_back(s);
    }
    section::calculateCutFill(survey);
    return survey;
}

}  // namespace quantity_surveys
