// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/edit_recovery.h"

#include <QDir>
#include <QFile>
#include <QUndoStack>
#include <QWidget>

#include "document/survey_document.h"
#include "window/files/data_folder.h"
#include "window/files/data_folder_messages.h"

namespace window {

QString unsavedEditsPath() {
    return QDir(dataFolder()).filePath(QStringLiteral("未保存的修改.csv"));
}

EditRecovery::EditRecovery(const document::SurveyDocument& document, QWidget* parent)
    : QObject(parent), document_(document), parent_(parent) {
    connect(&document_, &document::SurveyDocument::changed, this, &EditRecovery::keep);
    connect(&document_, &document::SurveyDocument::projectChanged, this, &EditRecovery::keep);
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, &EditRecovery::keep);
}

void EditRecovery::keep() {
    if (!document_.modified()) {
        // Saved, or a new survey: nothing is left to recover. Only the instance
        // that keeps the copy may take it away.
        if (holdsLastCalculation() && QFile::exists(unsavedEditsPath()) &&
            !QFile::remove(unsavedEditsPath()))
            warnDataFolderOnce(
                parent_,
                QStringLiteral("无法删除“%1”。").arg(QDir::toNativeSeparators(unsavedEditsPath())));
        return;
    }
    if (!holdsLastCalculation()) {
        tellLastCalculationTaken(parent_);
        return;
    }
    const QString failure =
        document_.kind() == document::SurveyKind::CutFill
            ? saveLastCalculation(document_.cutFill(), unsavedEditsPath(), document_.project())
            : saveLastCalculation(document_.survey(), unsavedEditsPath(), document_.project());
    if (!failure.isEmpty()) warnDataFolderOnce(parent_, failure);
}

}  // namespace window
