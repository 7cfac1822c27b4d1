// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/road_design_files.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "document/survey_document.h"
#include "storage/road_design_io.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"

namespace window {

namespace {

const QString kFilter = QStringLiteral("道路设计 (*.csv *.txt);;所有文件 (*)");

}  // namespace

void openRoadDesignClicked(QWidget* parent, document::SurveyDocument& document) {
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("打开道路设计"),
                                                      dialogFolder(document.fileName()), kFilter);
    if (!path.isEmpty()) openRoadDesign(parent, document, path);
}

bool openRoadDesign(QWidget* parent, document::SurveyDocument& document, const QString& path) {
    const storage::OpenedDesign opened = storage::openRoadDesign(path);
    if (!opened.design) {
        QMessageBox::warning(parent, applicationTitle(), opened.error);
        return false;
    }
    const document::Edited edited =
        document.setRoadDesign(*opened.design, QStringLiteral("打开道路设计"));
    if (edited.done()) return true;
    QString why = QString::fromStdString(edited.why);
    if (!why.endsWith(u'。')) why += u'。';
    QMessageBox::warning(parent, applicationTitle(),
                         QStringLiteral("“%1”中的道路设计不能使用：%2测量数据保持不变。")
                             .arg(QDir::toNativeSeparators(path), why));
    return false;
}

void saveRoadDesignClicked(QWidget* parent, const document::SurveyDocument& document) {
    const QString path =
        askSavePath(parent, QStringLiteral("保存道路设计"),
                    exportPath(document, QStringLiteral("道路设计"), QStringLiteral("csv")),
                    QStringLiteral("道路设计 (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const QString error = storage::saveRoadDesign(path, document.survey().roadDesign());
    if (!error.isEmpty()) QMessageBox::warning(parent, applicationTitle(), error);
}

}  // namespace window
