// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers given before, played back into a calculation. The dialogue is
// deterministic given its answers, so replaying them rebuilds a run exactly:
// a survey opened from a file (its answers as a surveyor would type them), or
// a run interrupted and resumed (the answers of its journal).

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogue/user_interface.h"
#include "section/survey.h"

namespace section {

// One answer and the kind of prompt it answered; no text for a Cancel.
struct Answer {
    PromptKind kind = PromptKind::SectionCount;
    std::optional<std::string> text;
    // The section and point of its prompt, where they were recorded (a
    // journal's answers): an answer missing from the middle then stops the
    // replay instead of shifting the later ones onto other points.
    std::optional<std::pair<int, int>> place = std::nullopt;
    bool operator==(const Answer&) const = default;
};

// Thrown when a recorded answer meets a prompt of another kind or place: the
// answers do not belong to this dialogue.
struct ReplayMismatch {
    std::size_t index;  // of the answer
};

// Answers prompts from the list without showing them, keeping what the run
// writes into the text boxes and the last section draft, and dropping its
// error messages; once the list is used up, writes the kept texts and draft
// into `live` and hands every further prompt to it. Without `live` a prompt
// past the list is cancelled.
class ReplayUi : public UserInterface {
  public:
    ReplayUi(std::vector<Answer> answers, UserInterface* live)
        : answers_(std::move(answers)), live_(live) {}

    std::optional<std::string> ask(const Prompt& prompt) override;
    void setText(TextBox box, const std::string& text) override;
    void showError(const std::string& message) override;
    void showDraft(const SectionDraft& draft) override;

    // Writes the kept texts into `live`, once; done by the first prompt past
    // the list, or by the caller when the run ends within it.
    void handOver();
    // The text of each box as the replayed answers left it, nothing where the
    // run wrote no text.
    const std::array<std::optional<std::string>, 12>& screen() const { return screen_; }
    // The last prompt answered from the list.
    const std::optional<Prompt>& lastReplayed() const { return lastReplayed_; }

  private:
    std::vector<Answer> answers_;
    UserInterface* live_;
    std::size_t next_ = 0;
    bool handedOver_ = false;
    std::array<std::optional<std::string>, 12> screen_;
    std::optional<SectionDraft> draft_;
    std::optional<Prompt> lastReplayed_;
};

// The answers a surveyor would type to enter `survey` (its points, and its
// spacings when it has no stations), every value accepted at once.
std::vector<Answer> typedAnswers(const SectionSurvey& survey);

}  // namespace section
