// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A survey made up for the benchmarks: sections 20 m apart, each outline
// across the road and back with made-up elevations.

#include "section/survey.h"

// `sections` sections of `points` points, stations from K1+000 on, spacings
// set, areas and volumes not yet computed. The same survey on every call.
section::SectionSurvey generatedSurvey(int sections, int points);
