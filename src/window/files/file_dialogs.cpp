// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "section/station.h"
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

QString surveyFileName(const section::SectionSurvey& survey) {
    const QString name = QStringLiteral("测量数据.csv");
    const int n = survey.sectionCount();
    if (!survey.stationsEntered() || n == 0) return name;
    QString stations = QString::fromStdString(section::stationText(survey.stations(1)));
    if (n > 1) stations += u'～' + QString::fromStdString(section::stationText(survey.stations(n)));
    return stations + u' ' + name;
}

QString askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                    const QString& filter, const QString& suffix) {
    // The dialog adds the ending itself, so that the replace question it asks
    // is about the file that is then written.
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace window
