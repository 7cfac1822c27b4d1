// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A section's picture as drawing entities, x = -S, y = H: each line on the
// layer of its role (the closed outline closed), the cut and fill regions as
// hatches, and each catch point as a small circle of `markRadius` metres.
// What the sheets and the calculation sheet's small figures both draw.

#include "printout/drawing.h"
#include "section/section_picture.h"

namespace printout {

DrawingBlock pictureBlock(const section::SectionPicture& picture, double markRadius);

}  // namespace printout
