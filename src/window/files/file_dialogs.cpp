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
    const QString path = QFileDialog::getSaveFileName(parent, title, suggested, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + u'.' + suffix;
}

}  // namespace window
