// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry of the drawings, as plain functions: a section drawn to scale
// (the same metres per pixel across and up unless exaggerated upwards on the
// screen, S mirrored so that positive S, left of the centre line, lies on the
// left), fitted into a panel, and the tick values of an axis.

#include <vector>

namespace window {

// A span of values on one axis.
struct Span {
    double from = 0;
    double to = 0;
    double length() const { return to - from; }
};

// A rectangle of pixels: x to the right, y down.
struct PixelBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct Pixel {
    double x = 0;
    double y = 0;
};

// A place in a section: S across, H up, in metres.
struct SectionPlace {
    double s = 0;
    double h = 0;
};

// Metres of a section (distance S across, elevation H up) to pixels.
struct SectionScale {
    double pixelsPerMetre = 1;  // across
    double xOfCentreLine = 0;   // where S = 0 is drawn
    double yOfZero = 0;         // where H = 0 is drawn
    double exaggeration = 1;    // a metre up is drawn this many times a metre across

    double pixelsPerMetreUp() const { return pixelsPerMetre * exaggeration; }
    // S is mirrored: a point left of the centre line (S > 0) lies left of it.
    Pixel toPixel(double s, double h) const {
        return {xOfCentreLine - s * pixelsPerMetre, yOfZero - h * pixelsPerMetreUp()};
    }
    // The S and H drawn at a pixel.
    SectionPlace toMetres(Pixel p) const {
        return {(xOfCentreLine - p.x) / pixelsPerMetre, (yOfZero - p.y) / pixelsPerMetreUp()};
    }
    bool operator==(const SectionScale&) const = default;
    Span sAcross(const PixelBox& box) const;  // the S values at the box's right and left edges
    Span hUp(const PixelBox& box) const;      // the H values at the box's foot and top
};

// The largest scale at which the S and H spans fit into `box` less `margin` on
// every side, centred, H drawn `exaggeration` times larger than S. A span
// shorter than a metre counts as a metre, so a single point or a level line
// still gets a sensible scale.
SectionScale fitSection(Span s, Span h, const PixelBox& box, double margin,
                        double exaggeration = 1);

// A step of 1, 2 or 5 times a power of ten that cuts `span` into at most
// `most` parts.
double tickStep(double span, int most);

// The multiples of tickStep(to - from, most) within [from, to].
std::vector<double> tickValues(Span span, int most);

// A value on a plain (not equal-scaled) axis to its pixel: `span` onto the
// pixels from `first` to `last` (either way round).
double onAxis(double value, Span span, double first, double last);

}  // namespace window
