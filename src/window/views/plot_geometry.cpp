// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/plot_geometry.h"

#include <algorithm>
#include <cmath>

namespace window {

namespace {

constexpr double kShortestSpan = 1.0;  // metres

Span atLeast(Span span, double length) {
    if (span.length() >= length) return span;
    const double middle = (span.from + span.to) / 2;
    return {middle - length / 2, middle + length / 2};
}

}  // namespace

Span SectionScale::sAcross(const PixelBox& box) const {
    return {(xOfCentreLine - (box.left + box.width)) / pixelsPerMetre,
            (xOfCentreLine - box.left) / pixelsPerMetre};
}

Span SectionScale::hUp(const PixelBox& box) const {
    return {(yOfZero - (box.top + box.height)) / pixelsPerMetreUp(),
            (yOfZero - box.top) / pixelsPerMetreUp()};
}

SectionScale fitSection(Span s, Span h, const PixelBox& box, double margin, double exaggeration) {
    s = atLeast(s, kShortestSpan);
    h = atLeast(h, kShortestSpan);
    const double width = std::max(box.width - 2 * margin, 1.0);
    const double height = std::max(box.height - 2 * margin, 1.0);
    SectionScale scale;
    scale.exaggeration = exaggeration;
    scale.pixelsPerMetre = std::min(width / s.length(), height / (h.length() * exaggeration));
    // The middle of the spans at the middle of the box.
    const double middleX = box.left + box.width / 2;
    const double middleY = box.top + box.height / 2;
    scale.xOfCentreLine = middleX + (s.from + s.to) / 2 * scale.pixelsPerMetre;
    scale.yOfZero = middleY + (h.from + h.to) / 2 * scale.pixelsPerMetreUp();
    return scale;
}

double tickStep(double span, int most) {
    if (!(span > 0) || most < 1) return 1;
    const double rough = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough * (1 - 1e-9)) return factor * power;
    }
    return 10 * power;
}

std::vector<double> tickValues(Span span, int most) {
    std::vector<double> values;
    const double step = tickStep(span.length(), most);
    const double first = std::ceil(span.from / step - 1e-9);
    for (double k = first; k * step <= span.to + step * 1e-9; ++k) {
        const double value = k * step;
        values.push_back(std::abs(value) < step * 1e-9 ? 0.0 : value);
    }
    return values;
}

double onAxis(double value, Span span, double first, double last) {
    if (span.length() == 0) return (first + last) / 2;
    return first + (value - span.from) / span.length() * (last - first);
}

}  // namespace window
