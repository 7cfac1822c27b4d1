// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr const char* answeredMark = "answeredByDriver";
constexpr const char* repliedMark = "repliedByDriver";

QString describe(QWidget* dialog) {
    if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) return prompt->labelText();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) return "message: " + box->text();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) return "file: " + files->windowTitle();
    return dialog->metaObject()->className();
}

void dismiss(QWidget* dialog) {
    if (auto* modal = qobject_cast<QDialog*>(dialog)) {
        modal->reject();
    } else {
        dialog->close();
    }
}

}  // namespace

Reply answer(const QString& text) {
    return {Reply::Kind::Answer, text};
}
Reply cancel() {
    return {Reply::Kind::Cancel, {}};
}
Reply acknowledge() {
    return {Reply::Kind::Acknowledge, {}};
}
Reply press(const QString& button) {
    return {Reply::Kind::Press, button};
}
Reply chooseFile(const QString& path) {
    return {Reply::Kind::ChooseFile, path};
}
Reply acceptDialog() {
    return {Reply::Kind::Accept, {}};
}

DialogDriver::DialogDriver(QList<Reply> script) : script_(std::move(script)) {
    connect(&timer_, &QTimer::timeout, this, &DialogDriver::poll);
    timer_.start(10);
}

void DialogDriver::poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    if (dialog->property(repliedMark).toBool()) {
        // Its reply did not close it, e.g. a file dialog whose replace
        // question was rejected as unexpected.
        log_ << "still open: " + describe(dialog);
        dismiss(dialog);
        return;
    }
    if (dialog->property(answeredMark).toBool()) return;
    dialog->setProperty(answeredMark, true);
    if (inspect_) inspect_(dialog);
    // Replied to after this poll returns: a timer is not fired again while its
    // own slot runs, so a dialog that the reply opens (an overwrite question)
    // would never be seen.
    QTimer::singleShot(0, dialog, [this, dialog] {
        reply(dialog);
        dialog->setProperty(repliedMark, true);
    });
}

void DialogDriver::choose(QFileDialog* files, const QString& path) {
    // Typed into the name field as a user would: selectFile() leaves that
    // field alone once it has the focus, which the dialog gets on showing.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    files->setDirectory(QFileInfo(path).absolutePath());
    name->setText(QFileInfo(path).fileName());
    QString expected = path;
    if (!files->defaultSuffix().isEmpty() && !QFileInfo(path).fileName().contains(u'.'))
        expected += u'.' + files->defaultSuffix();
    const QStringList chosen = files->selectedFiles();
    if (chosen != QStringList{expected}) {
        log_ << "file dialog chose: " + chosen.join(u',');
        files->reject();
        return;
    }
    static_cast<QDialog*>(files)->accept();  // QFileDialog hides accept()
}

void DialogDriver::reply(QWidget* dialog) {
    auto* prompt = qobject_cast<QInputDialog*>(dialog);
    auto* box = qobject_cast<QMessageBox*>(dialog);
    auto* files = qobject_cast<QFileDialog*>(dialog);
    bool expected = false;
    if (next_ < script_.size()) {
        switch (script_[next_].kind) {
            case Reply::Kind::Answer:
            case Reply::Kind::Cancel:
                expected = prompt != nullptr;
                break;
            case Reply::Kind::Acknowledge:
            case Reply::Kind::Press:
                expected = box != nullptr;
                break;
            case Reply::Kind::ChooseFile:
                expected = files != nullptr;
                break;
            case Reply::Kind::Accept:
                expected = !prompt && !box && !files && qobject_cast<QDialog*>(dialog);
                break;
        }
    }
    if (!expected) {
        log_ << "unexpected: " + describe(dialog);
        dismiss(dialog);
        return;
    }
    log_ << describe(dialog);
    const Reply& step = script_[next_++];
    switch (step.kind) {
        case Reply::Kind::Answer:
            prompt->setTextValue(step.text);
            prompt->accept();
            break;
        case Reply::Kind::Cancel:
            prompt->reject();
            break;
        case Reply::Kind::Acknowledge:
            box->accept();
            break;
        case Reply::Kind::Press:
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == step.text) button->click();
            }
            break;
        case Reply::Kind::ChooseFile:
            choose(files, step.text);
            break;
        case Reply::Kind::Accept:
            static_cast<QDialog*>(dialog)->accept();
            break;
    }
}
