// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation's user interface on the main window: modal Qt prompts and
// message boxes over the window, and its text boxes.

#include "dialogue/user_interface.h"

class QLineEdit;
class QWidget;

namespace window {

// What the prompts need of the window: a parent for their dialogs, its text
// boxes, and a place to show the section being typed.
class PromptSurface {
  public:
    virtual QWidget* promptParent() = 0;
    virtual QLineEdit* textBox(section::TextBox box) const = 0;
    virtual void showDraft(const section::SectionDraft& draft) = 0;

  protected:
    ~PromptSurface() = default;
};

// Thrown by ask() when the prompt's event loop was ended without the user
// closing it (the program ending as its window is destroyed): no answer was
// given, and none may be made up for it.
struct PromptInterrupted {};

class QtUserInterface : public section::UserInterface {
  public:
    explicit QtUserInterface(PromptSurface& form) : form_(form) {}

    std::optional<std::string> ask(const section::Prompt& prompt) override;
    void setText(section::TextBox box, const std::string& text) override;
    void showError(const std::string& message) override;
    void showDraft(const section::SectionDraft& draft) override;

  private:
    PromptSurface& form_;
};

}  // namespace window
