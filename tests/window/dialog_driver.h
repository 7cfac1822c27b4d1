// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the modal dialogs of a test as they open, one scripted reply each.
//
// A timer polls for the active modal dialog. A prompt (QInputDialog) gets its
// answer typed and accepted, or is cancelled; a message box is acknowledged or
// has one of its buttons pressed; a file dialog gets its file chosen.
// A dialog that the script does not expect is rejected and logged, and so is
// one still open after its reply, so a test fails instead of hanging. Keep
// one driver alive at a time: a second one would reject the first one's
// dialogs as unexpected.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QFileDialog;
class QWidget;

struct Reply {
    enum class Kind { Answer, Cancel, Acknowledge, Press, ChooseFile, Accept };
    Kind kind;
    QString text;  // typed for Answer, the button's text for Press, the path for ChooseFile
};

Reply answer(const QString& text);
Reply cancel();
Reply acknowledge();                    // a message box
Reply press(const QString& button);     // a message box's button
Reply chooseFile(const QString& path);  // a file dialog
Reply acceptDialog();                   // any other dialog (the print dialog) as it stands

class DialogDriver : public QObject {
    Q_OBJECT

  public:
    explicit DialogDriver(QList<Reply> script);

    // Called with each dialog before it is answered, e.g. to look at the window.
    void onOpen(std::function<void(QWidget* dialog)> inspect) { inspect_ = std::move(inspect); }

    // Every dialog seen, in order: a prompt's label text, a message box's text
    // as "message: ...", an unexpected dialog as "unexpected: ...", one still
    // open after its reply as "still open: ...", a file dialog that would
    // choose another file than the script's as "file dialog chose: ...".
    const QStringList& log() const { return log_; }
    bool scriptDone() const { return next_ == script_.size(); }

  private:
    void poll();
    void reply(QWidget* dialog);
    void choose(QFileDialog* files, const QString& path);

    QList<Reply> script_;
    qsizetype next_ = 0;
    QStringList log_;
    std::function<void(QWidget*)> inspect_;
    QTimer timer_;
};
