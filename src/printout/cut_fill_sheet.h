// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet of a cut-and-fill survey, in the plain style of the
// closed outline's: for each section its station, the points of both lines
// and its cut and fill areas; for each pair the spacing and the cut and fill
// volumes; at the end the total cut, the total fill and the net (挖 − 填).

#include "printout/sheet_writer.h"

namespace section {
struct CutFillSurvey;
}

namespace printout {

// The sheet of a calculated `survey`. Only reads the record. With
// `figureOf`, each section's drawing goes beside its points and areas.
Sheet cutFillSheet(const section::CutFillSurvey& survey, FigureMaker figureOf = {});

}  // namespace printout
