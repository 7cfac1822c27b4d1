// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's file dialogs: where they open, the name they propose, and a
// save path that always ends in its file type.

#include <QString>

class QWidget;

namespace document {
class SurveyDocument;
}

namespace section {
class Survey;
}

namespace window {

// The folder of `current`, or the user's documents (the home folder without
// one) when there is no current file or its folder is gone.
QString dialogFolder(const QString& current);

// The name proposed for saving a survey that has no file yet (typed, or the
// last calculation reopened): its first and last stations when it has them,
// "K1+000.000～K1+500.000 测量数据.csv", else "测量数据.csv".
QString surveyFileName(const section::Survey& survey);

// Where an export of the document's survey is proposed: beside its file,
// named after it, the file's name, else the 工程名称, else its stations:
// "路线A 横断面图.pdf"; "横断面图.pdf" when it has none of them.
QString exportPath(const document::SurveyDocument& document, const QString& what,
                   const QString& ending);

// Asks where to save, proposing `suggested` (a path); the chosen path with the
// ending of the file type chosen in the dialog added when it has none
// (".`suffix`" for a type of any ending), empty when the user cancels. An
// existing file at that path is replaced only when the user says so: in the
// dialog, or (`Later`) by the caller, who may first have more to ask.
// `extra`, when given, is shown under the file name and goes with the
// dialog, which is then Qt's own: the system's takes no widgets.
enum class ReplaceQuestion { InDialog, Later };
QString askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                    const QString& filter, const QString& suffix,
                    ReplaceQuestion replace = ReplaceQuestion::InDialog, QWidget* extra = nullptr);

}  // namespace window
