// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/qt_user_interface.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "window/platform/title.h"

namespace window {

namespace {

// The longest prompts run to some eighty characters: they wrap within this width
// instead of stretching the dialog across the screen.
constexpr int promptWidth = 420;

QString caption() {
    return applicationTitle();
}

}  // namespace

std::optional<std::string> QtUserInterface::ask(const section::Prompt& prompt) {
    QInputDialog dialog(form_.promptParent());
    dialog.setWindowTitle(caption());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QString::fromStdString(prompt.text));
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setMinimumWidth(promptWidth);
    }
    bool closed = false;
    QObject::connect(&dialog, &QDialog::finished, [&closed] { closed = true; });
    const int result = dialog.exec();
    if (!closed) throw PromptInterrupted{};
    if (result != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtUserInterface::setText(section::TextBox box, const std::string& text) {
    QLineEdit* edit = form_.textBox(box);
    edit->setText(QString::fromStdString(text));
    // A text longer than its box shows its beginning, not its end.
    edit->setCursorPosition(0);
}

void QtUserInterface::showDraft(const section::SectionDraft& draft) {
    form_.showDraft(draft);
}

void QtUserInterface::showError(const std::string& message) {
    QMessageBox::warning(form_.promptParent(), caption(), QString::fromStdString(message));
}

}  // namespace window
