// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/replay.h"

#include "runtime/number_text.h"
#include "runtime/station_notation.h"
#include "section/station.h"

namespace section {

std::optional<std::string> ReplayUi::ask(const Prompt& prompt) {
    if (next_ < answers_.size()) {
        const Answer& answer = answers_[next_];
        if (answer.kind != prompt.kind ||
            (answer.place && *answer.place != std::pair(prompt.section, prompt.point)))
            throw ReplayMismatch{next_};
        ++next_;
        lastReplayed_ = prompt;
        return answer.text;
    }
    if (!live_) return std::nullopt;
    handOver();
    return live_->ask(prompt);
}

void ReplayUi::handOver() {
    if (handedOver_ || !live_) return;
    handedOver_ = true;
    for (std::size_t i = 0; i < screen_.size(); ++i) {
        if (screen_[i]) live_->setText(static_cast<TextBox>(i + 1), *screen_[i]);
    }
    if (draft_) live_->showDraft(*draft_);
}

void ReplayUi::setText(TextBox box, const std::string& text) {
    if (handedOver_) {
        live_->setText(box, text);
        return;
    }
    screen_[static_cast<std::size_t>(box) - 1] = text;
}

void ReplayUi::showError(const std::string& message) {
    if (handedOver_) live_->showError(message);
}

void ReplayUi::showDraft(const SectionDraft& draft) {
    if (handedOver_) {
        live_->showDraft(draft);
        return;
    }
    draft_ = draft;
}

namespace {

// Section i's station as typed: in metres, which keep the letters of the
// section before, or with its own letters where they differ.
std::string stationAnswer(const SectionSurvey& survey, int i) {
    const std::string metres = runtime::numberToText(survey.stations(i));
    const std::string& prefix = survey.stationPrefix(i);
    if (prefix == (i > 1 ? survey.stationPrefix(i - 1) : std::string())) return metres;
    return runtime::stationNotationText(stationLetters(prefix), metres).value_or(metres);
}

}  // namespace

std::vector<Answer> typedAnswers(const SectionSurvey& survey) {
    using runtime::numberToText;
    using enum PromptKind;
    const int n = survey.sectionCount();
    const bool stations = survey.stationsEntered();
    std::vector<Answer> answers{{SectionCount, numberToText(n)},
                                {StationQuestion, stations ? "y" : "n"}};
    for (int i = 1; i <= n; ++i) {
        if (stations) answers.push_back({Station, stationAnswer(survey, i)});
        answers.push_back({PointCount, numberToText(static_cast<int>(survey.pointCounts(i)))});
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            answers.push_back({Elevation, numberToText(survey.elevations(i, j))});
            answers.push_back({Confirm, ""});
            answers.push_back({Distance, numberToText(survey.offsets(i, j))});
            answers.push_back({Confirm, ""});
        }
    }
    if (!stations) {
        for (int i = 1; i < n; ++i) {
            answers.push_back({Spacing, numberToText(survey.spacings(i))});
            answers.push_back({Confirm, ""});
        }
    }
    for (int i = 1; i < n; ++i) answers.push_back({Pause, ""});
    return answers;
}

}  // namespace section
