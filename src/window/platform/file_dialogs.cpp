// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QRegularExpression>
#include <QStandardPaths>

#include "document/survey_document.h"
#include "section/any_survey.h"
#include "section/cut_fill_survey.h"
#include "section/survey.h"

namespace window {

QString dialogFolder(const QString& current) {
    const QString folder = QFileInfo(current).absolutePath();
    if (!current.isEmpty() && QFileInfo(folder).isDir()) return folder;
    // A dialog given a folder that does not exist opens in the working
    // directory: the home folder where there is no documents folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

namespace {

// "K1+000.000～K1+500.000" of a survey's first and last stations; empty
// without stations.
// The stations the survey spans, "K1+000.000～K1+200.000"; empty without stations.
QString stemOf(const section::Survey& survey) {
    const int n = survey.sectionCount();
    if (!survey.stationsEntered() || n == 0) return {};
    QString text = QString::fromStdString(section::stationLabel(survey, 1));
    if (n > 1) text += u'～' + QString::fromStdString(section::stationLabel(survey, n));
    return text;
}

// "stem what.ending", or "what.ending" without a stem.
QString named(const QString& stem, const QString& what, const QString& ending) {
    return (stem.isEmpty() ? what : stem + u' ' + what) + u'.' + ending;
}

// The ending of a dialog's file type, "hdm" of "里程文件 (*.hdm)"; empty for "(*)".
QString endingOf(const QString& filter) {
    const qsizetype at = filter.indexOf(QStringLiteral("(*."));
    if (at < 0) return {};
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), at + 3);
    return filter.mid(at + 3, end - at - 3);
}

}  // namespace

QString surveyFileName(const section::Survey& survey) {
    return named(stemOf(survey), QStringLiteral("测量数据"), QStringLiteral("csv"));
}

QString exportPath(const document::SurveyDocument& document, const QString& what,
                   const QString& ending) {
    QString stem = QFileInfo(document.fileName()).completeBaseName();
    if (stem.isEmpty()) {
        // A name fit for a file on every system.
        stem =
            QString::fromStdString(document.project().projectName)
                .replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"))
                .trimmed();
    }
    if (stem.isEmpty()) stem = stemOf(document.survey());
    return QDir(dialogFolder(document.fileName())).filePath(named(stem, what, ending));
}

QString askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                    const QString& filter, const QString& suffix, ReplaceQuestion replace,
                    QWidget* extra) {
    // The dialog adds the ending itself, so that the replace question it asks
    // is about the file that is then written.
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, replace == ReplaceQuestion::Later);
    if (extra) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
        if (grid)
            grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
        else
            delete extra;
    }
    // It opens on the file type of the name proposed, so that a 里程文件
    // saved again is offered as one.
    const QString proposed = QFileInfo(suggested).suffix();
    const QRegularExpression listed(
        QStringLiteral("\\*\\.%1[ )]").arg(QRegularExpression::escape(proposed)),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& type : filter.split(QStringLiteral(";;"))) {
        if (proposed.isEmpty() || !type.contains(listed)) continue;
        dialog.selectNameFilter(type);
        dialog.setDefaultSuffix(endingOf(type));
        break;
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffix](const QString& chosen) {
                         const QString ending = endingOf(chosen);
                         dialog.setDefaultSuffix(ending.isEmpty() ? suffix : ending);
                     });
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace window
