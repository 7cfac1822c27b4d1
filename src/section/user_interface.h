#pragma once
// What a calculation needs from the user interface: one prompt at a time, the
// text boxes of the window, and error messages.

#include <optional>
#include <string>

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

class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Shows the prompt modally; the typed text (possibly empty), or nothing when
    // the user cancels.
    virtual std::optional<std::string> ask(const std::string& prompt) = 0;

    // Replaces the whole text of one text box.
    virtual void setText(TextBox box, const std::string& text) = 0;

    // Shows an error message modally and returns when the user has read it.
    virtual void showError(const std::string& message) = 0;
};

}  // namespace section
