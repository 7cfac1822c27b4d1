// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A section's station as every output shows it: in K notation with the
// section's own letters ("ZK1+020.000"), whichever kind of record holds it.

#include <string>

#include "section/cut_fill_survey.h"
#include "section/survey.h"

namespace section {

std::string stationLabel(const SectionSurvey& survey, int i);
std::string stationLabel(const CutFillSurvey& survey, int i);

}  // namespace section
