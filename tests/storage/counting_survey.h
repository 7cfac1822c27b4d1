// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A survey whose elevations count 1, 2, 3 ... in file order, ten points to a
// section: any survey read from a prefix of it keeps that count unbroken.

#include <QByteArray>

#include "section/survey.h"

inline constexpr int kPointsPerSection = 10;

inline QByteArray countingSurvey(int points) {
    QByteArray text = "桩号,高程H,距离S\n";
    for (int k = 1; k <= points; ++k)
        text += QByteArray::number(1000 + 20 * ((k - 1) / kPointsPerSection)) + ',' +
                QByteArray::number(k) + ",0\n";
    return text;
}

inline bool isCountingPrefix(const section::SectionSurvey& survey) {
    int expected = 1;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            if (survey.elevations(i, j) != float(expected++)) return false;
        }
    }
    return true;
}
