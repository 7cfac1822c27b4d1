// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr const char* answeredMark = "answeredByDriver";

QString describe(QWidget* dialog) {
    if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) return prompt->labelText();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) return "message: " + box->text();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) return "file: " + files->windowTitle();
    return dialog->metaObject()->className();
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

DialogDriver::DialogDriver(QList<Reply> script) : script_(std::move(script)) {
    connect(&timer_, &QTimer::timeout, this, &DialogDriver::poll);
    timer_.start(10);
}

void DialogDriver::poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog->property(answeredMark).toBool()) return;
    dialog->setProperty(answeredMark, true);
    if (inspect_) inspect_(dialog);
    reply(dialog);
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
        }
    }
    if (!expected) {
        log_ << "unexpected: " + describe(dialog);
        if (auto* modal = qobject_cast<QDialog*>(dialog)) {
            modal->reject();
        } else {
            dialog->close();
        }
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
            // The dialog lists its folder on a thread of its own and, when the
            // list arrives, may select the file it proposed: the choice is
            // typed, nothing is left selected, and it is accepted from the
            // event loop, where a box it raises is answered like any other.
            files->selectFile(step.text);
            for (auto* view : files->findChildren<QAbstractItemView*>())
                if (view->selectionModel()) view->selectionModel()->clear();
            if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(step.text);
            QTimer::singleShot(0, files, [files] {
                static_cast<QDialog*>(files)->accept();  // QFileDialog hides accept()
            });
            break;
    }
}
