// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a calculation needs from the user interface: one prompt at a time, the
// text boxes of the window, and error messages.

#include <optional>
#include <string>
#include <vector>

namespace section {

// The window's text boxes Text1 ... Text12.
enum class TextBox {
    Text1 = 1,
    Text2,
    Text3,
    Text4,
    Text5,
    Text6,
    Text7,
    Text8,
    Text9,
    Text10,
    Text11,
    Text12
};

// What a prompt asks for.
enum class PromptKind {
    SectionCount,
    StationQuestion,
    Station,
    PointCount,
    Elevation,
    Distance,
    Spacing,
    Confirm,  // accept the value just entered, or enter it again
    Pause,    // before the results of a pair of sections
};

// Cancel abandons the calculation at every prompt that wants a number; at the
// station question, a confirm or a pause it counts as an empty answer.
constexpr bool cancelAbandons(PromptKind kind) {
    return kind != PromptKind::StationQuestion && kind != PromptKind::Confirm &&
           kind != PromptKind::Pause;
}

// One prompt: what it asks, where in the survey, and its wording.
struct Prompt {
    PromptKind kind = PromptKind::SectionCount;
    // Section i of a station, a point count or a point's value; the first
    // section of the pair of a spacing or a pause. 0 for the first two kinds.
    int section = 0;
    // N, the number of sections of the run, once it is known; else 0.
    int sections = 0;
    // Point j of an elevation or a distance (and of their confirms), else 0.
    int point = 0;
    // For a confirm: whether it confirms an Elevation, a Distance or a Spacing.
    PromptKind confirms = PromptKind::Confirm;
    // A value entered again after the user rejected it, or the confirm of one.
    bool again = false;
    std::string text;  // exactly as the user reads it

    bool operator==(const Prompt&) const = default;
};

// The section whose points are being entered, as far as it goes: the points
// confirmed so far, and the next point's values while they are confirmed (or
// entered again), so that a wrong value can be seen before it is accepted.
struct SectionDraft {
    struct Point {
        double elevation = 0.0;  // H
        double offset = 0.0;     // S, positive left of the centre line
        bool operator==(const Point&) const = default;
    };
    int section = 0;
    std::vector<Point> points;
    std::optional<double> elevation;  // of the next point
    std::optional<double> offset;     // of the next point, once its elevation is accepted
    bool operator==(const SectionDraft&) const = default;
};

class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Shows the prompt modally; the typed text (possibly empty), or nothing when
    // the user cancels.
    virtual std::optional<std::string> ask(const Prompt& prompt) = 0;

    // Replaces the whole text of one text box.
    virtual void setText(TextBox box, const std::string& text) = 0;

    // Shows an error message modally and returns when the user has read it.
    virtual void showError(const std::string& message) = 0;

    // The section being entered has changed; an interface may draw it.
    virtual void showDraft(const SectionDraft&) {}
};

}  // namespace section
