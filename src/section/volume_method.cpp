// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/volume_method.h"

#include <cmath>

namespace section {

// The mean as a product of roots, which neither overflows nor underflows
// where the product of the areas would.
double volumeBetween(VolumeMethod method, double here, double next, double spacing) {
    if (method == VolumeMethod::AverageEndArea) return (next + here) * spacing / 2.0;
    double mean = 0.0;
    if ((here > 0.0 && next > 0.0) || (here < 0.0 && next < 0.0))
        mean = std::copysign(std::sqrt(std::abs(here)) * std::sqrt(std::abs(next)), here);
    return (next + here + mean) * spacing / 3.0;
}

}  // namespace section
