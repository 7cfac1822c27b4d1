// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A user-interface double that answers prompts from a list and records, at
// every prompt, the prompt text and the text boxes as they stand then.

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogue/user_interface.h"

namespace section::testing {

inline const std::optional<std::string> kCancel = std::nullopt;

struct PromptSeen {
    Prompt prompt;
    std::map<TextBox, std::string> boxes;

    std::string box(TextBox b) const {
        auto it = boxes.find(b);
        return it == boxes.end() ? std::string() : it->second;
    }
};

class ScriptedUi : public UserInterface {
  public:
    explicit ScriptedUi(std::vector<std::optional<std::string>> answers)
        : answers_(std::move(answers)) {}

    std::optional<std::string> ask(const Prompt& prompt) override {
        seen_.push_back({prompt, boxes_});
        if (next_ >= answers_.size())
            throw std::runtime_error("no answer left for: " + prompt.text);
        return answers_[next_++];
    }

    void setText(TextBox box, const std::string& text) override { boxes_[box] = text; }

    void showDraft(const SectionDraft& draft) override { drafts_.push_back(draft); }

    void showError(const std::string& message) override {
        errors_.push_back(message);
        errorAfterPrompt_.push_back(seen_.size());
    }

    const std::vector<PromptSeen>& seen() const { return seen_; }
    // The wordings of the prompts seen, in order.
    std::vector<std::string> prompts() const {
        std::vector<std::string> out;
        for (const PromptSeen& s : seen_) out.push_back(s.prompt.text);
        return out;
    }
    std::string text(TextBox box) const {
        auto it = boxes_.find(box);
        return it == boxes_.end() ? std::string() : it->second;
    }
    const std::vector<std::string>& errors() const { return errors_; }
    const std::vector<SectionDraft>& drafts() const { return drafts_; }
    // How many prompts had been shown when each error appeared.
    const std::vector<std::size_t>& errorAfterPrompt() const { return errorAfterPrompt_; }
    bool allAnswersUsed() const { return next_ == answers_.size(); }

  private:
    std::vector<std::optional<std::string>> answers_;
    std::size_t next_ = 0;
    std::map<TextBox, std::string> boxes_;
    std::vector<PromptSeen> seen_;
    std::vector<std::string> errors_;
    std::vector<SectionDraft> drafts_;
    std::vector<std::size_t> errorAfterPrompt_;
};

// Answers for one point: its elevation and distance, each accepted at once.
inline std::vector<std::optional<std::string>> point(const std::string& h, const std::string& s) {
    return {h, "", s, ""};
}

// Joins answer lists.
inline std::vector<std::optional<std::string>> script(
    std::initializer_list<std::vector<std::optional<std::string>>> parts) {
    std::vector<std::optional<std::string>> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// The three points of a triangle 2 x `half` wide and 1 m high, entered left,
// top, right: its area is `half`.
inline std::vector<std::optional<std::string>> triangle(const std::string& half) {
    return script({point("100", half), point("101", "0"), point("100", "-" + half)});
}

}  // namespace section::testing
