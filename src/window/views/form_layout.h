// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored layout of the main window: one table of controls and one table of
// lines, in twips (1/1440 inch) from the top left of the client area.
// MainForm is built from these tables and nothing else.

#include <span>

namespace window {

enum class ControlKind { Label, TextBox, Button };

// F1 "宋体" 9 pt, F2 "宋体" 14.25 pt, F3 "MS Sans Serif" 8.25 pt,
// F4 "MS Sans Serif" 13.5 pt, all bold.
enum class FontId { F1, F2, F3, F4 };

enum class Colour {
    Platform,    // the platform's own colours (text boxes)
    PaleYellow,  // window and label background
    LightGrey,   // Command1, Command2
    Pink,        // Command3
    Red,         // results frame, centre line, axes
    WindowText,  // outline of the cross-section
};

struct ControlRow {
    const char* name;
    ControlKind kind;
    int left, top, width, height;  // twips
    const char* caption;           // labels and buttons; text boxes start empty
    FontId font;
    Colour background;
    int tab;                  // place in the tab order
    const char* description;  // what a text box shows, for screen readers
};

struct LineRow {
    const char* name;
    int x1, y1, x2, y2;  // twips
    Colour colour;
    int width;  // pixels
};

std::span<const ControlRow> controlTable();
std::span<const LineRow> lineTable();

inline constexpr int twipsPerPixel = 15;

// Twips to device-independent pixels (96 dots per inch).
constexpr double toPixels(int twips) {
    return double(twips) / twipsPerPixel;
}

// Every control lies within these bounds, in twips.
inline constexpr int layoutRight = 14535;
inline constexpr int layoutBottom = 8895;

}  // namespace window
