// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/asking.h"

#include <cmath>
#include <optional>

#include "runtime/number_text.h"
#include "runtime/quote.h"
#include "runtime/station_notation.h"
#include "section/station.h"

namespace section {
namespace {

// Blanks only: ASCII blanks and tabs, or the full-width blank (its UTF-8 bytes
// E3 80 80 can form no other character on their own).
bool isBlankText(const std::string& text) {
    return text.find_first_not_of(" \t\xE3\x80") == std::string::npos;
}

// "没有输入高程。…" for an empty answer, "“abc”不是有效的高程。…" otherwise.
std::string badAnswer(const std::string& answer, const std::string& what,
                      const std::string& expected) {
    if (isBlankText(answer)) return "没有输入" + what + "。" + expected;
    return runtime::quoteTyped(answer) + "不是有效的" + what + "。" + expected;
}

std::string outOfRange(const std::string& answer, const std::string& expected) {
    return runtime::quoteTyped(answer) + "超出了允许的范围。" + expected;
}

std::string askOrCancel(UserInterface& ui, const Prompt& prompt) {
    std::optional<std::string> answer = ui.ask(prompt);
    if (!answer) throw CalculationCancelled{};
    return *answer;
}

// A station typed in notation ("ZK1+020.5", "0+000"): its letters and the
// decimal text of its metres.
std::optional<runtime::StationNotation> stationNotation(const std::string& typed) {
    const std::string text = runtime::toHalfWidth(typed);
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    const auto end = text.find_last_not_of(" \t");
    return runtime::readStationNotation(std::string_view(text).substr(begin, end - begin + 1));
}

// The value of the first usable answer; `letters`, given only for a station,
// hears the letters of one typed in notation.
double askValueIn(UserInterface& ui, const Prompt& prompt, const std::string& what,
                  std::optional<std::string>* letters) {
    const std::string expected = "请输入以米为单位的数值，例如 12.345。";
    for (;;) {
        const std::string typed = askOrCancel(ui, prompt);
        const std::optional<runtime::StationNotation> notation =
            letters ? stationNotation(typed) : std::nullopt;
        // Any other text as typed, so that a bad notation reads as no number.
        const std::string& answer = notation ? notation->metres : typed;
        if (std::optional<double> value = runtime::textToValue(answer)) {
            if (notation) *letters = notation->letters;
            return *value;
        }
        if (runtime::readNumber(answer)) {
            ui.showError(outOfRange(typed, "请输入绝对值不超过 3.4E+38 的数值。"));
        } else {
            ui.showError(badAnswer(typed, what, expected));
        }
    }
}

}  // namespace

double askValue(UserInterface& ui, const Prompt& prompt, const std::string& what) {
    return askValueIn(ui, prompt, what, nullptr);
}

TypedStation askStation(UserInterface& ui, const Prompt& prompt, const std::string& prefix) {
    std::optional<std::string> letters;
    TypedStation station{askValueIn(ui, prompt, "桩号", &letters), prefix};
    if (letters) station.prefix = stationPrefixOf(*letters);
    return station;
}

std::int16_t askCount(UserInterface& ui, const Prompt& prompt, int min, int max,
                      const std::string& what) {
    const std::string expected = "请输入 " + runtime::numberToText(min) + " 到 " +
                                 runtime::numberToText(max) + " 之间的整数。";
    for (;;) {
        const std::string answer = askOrCancel(ui, prompt);
        // A whole number only: a fraction would silently lose a section or points.
        const std::optional<double> number = runtime::readNumber(answer);
        if (!number || *number != std::trunc(*number)) {
            ui.showError(badAnswer(answer, what, expected));
            continue;
        }
        std::optional<std::int16_t> value = runtime::textToInt16(answer);
        if (value && *value >= min && *value <= max) return *value;
        ui.showError(outOfRange(answer, expected));
    }
}

std::string askText(UserInterface& ui, const Prompt& prompt) {
    return ui.ask(prompt).value_or(std::string());
}

bool wantsReentry(UserInterface& ui, const Prompt& prompt) {
    for (;;) {
        std::optional<std::string> answer = ui.ask(prompt);
        // Cancel (or Esc) takes back the value like "0": taking it would
        // accept the very value the user turned down.
        if (!answer) return true;
        if (isBlankText(*answer)) return false;
        if (std::optional<double> value = runtime::readNumber(*answer)) return *value == 0.0;
        ui.showError(runtime::quoteTyped(*answer) +
                     "无法识别。数值正确请直接按 Enter 键；数值有误请输入 0，然后重新输入。");
    }
}

}  // namespace section
