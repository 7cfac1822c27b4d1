// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation's user interface on the main window: modal Qt prompts and
// message boxes over the window, and its text boxes.

#include "dialogue/user_interface.h"

namespace window {

class MainForm;

// Thrown by ask() when the prompt's event loop was ended without the user
// closing it (the program ending as its window is destroyed): no answer was
// given, and none may be made up for it.
struct PromptInterrupted {};

class QtUserInterface : public section::UserInterface {
  public:
    explicit QtUserInterface(MainForm& form) : form_(form) {}

    std::optional<std::string> ask(const section::Prompt& prompt) override;
    void setText(section::TextBox box, const std::string& text) override;
    void showError(const std::string& message) override;
    void showDraft(const section::SectionDraft& draft) override;

  private:
    MainForm& form_;
};

}  // namespace window
