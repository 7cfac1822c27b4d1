// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/survey_saving.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <new>
#include <optional>

#include "document/survey_document.h"
#include "storage/file_stamp.h"
#include "storage/survey_io.h"
#include "storage/whole_file.h"
#include "survey_file/file_format.h"
#include "survey_file/hdm.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"

namespace window {

namespace {

using document::FileFormat;

const QString kFilter = QStringLiteral("测量数据 (*.csv *.txt *.tsv);;所有文件 (*)");
const QString kCutFillFilter =
    QStringLiteral("测量数据 (*.csv *.txt *.tsv);;里程文件 (*.hdm);;所有文件 (*)");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).fileName());
}

// The format follows the file's ending: a 里程文件 for .hdm, else our CSV.
FileFormat formatFor(const document::SurveyDocument& document, const QString& path) {
    return storage::formatToSave(document.survey(), path);
}

// The dialog offers a 里程文件 when the survey can be one.
QString filterFor(const document::SurveyDocument& document) {
    const std::vector<survey_file::Format> formats = survey_file::formatsToOffer(document.survey());
    return std::ranges::find(formats, survey_file::Format::Hdm) != formats.end() ? kCutFillFilter
                                                                                 : kFilter;
}

QString csvBeside(const QString& path) {
    const QFileInfo info(path);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".csv"));
}

QString askPath(QWidget* parent, const document::SurveyDocument& document, SaveWhere where) {
    const document::FileTie& file = document.file();
    QString suggested = file.path;
    if (suggested.isEmpty()) {
        const QString fresh = surveyFileName(document.survey());
        suggested = QDir(dialogFolder({})).filePath(fresh);
    } else if (file.format == FileFormat::LandXml) {
        // Another program's LandXML keeps what we do not read: ours goes beside it.
        suggested = csvBeside(file.path);
    }
    return askSavePath(
        parent,
        where == SaveWhere::Ask ? QStringLiteral("测量数据另存为") : QStringLiteral("保存测量数据"),
        suggested, filterFor(document), QStringLiteral("csv"), ReplaceQuestion::Later);
}

// A question with `actions` and 取消; the action chosen (`preferred` by
// default), nothing for 取消 or a box closed.
std::optional<int> choose(QWidget* parent, const QString& text, const QStringList& actions,
                          int preferred) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::NoButton, parent);
    QList<QPushButton*> buttons;
    for (const QString& action : actions) buttons << box.addButton(action, QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(buttons.value(preferred));
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? std::nullopt : std::optional<int>(int(chosen));
}

enum class HdmChoice { Hdm, Csv, Cancel };

// Asked before the replace question: the user may still choose CSV.
HdmChoice askAboutHdm(QWidget* parent, const QString& path, const std::vector<std::string>& left) {
    if (left.empty()) return HdmChoice::Hdm;
    QString what;
    for (const std::string& phrase : left)
        what += QStringLiteral("\n· ") + QString::fromStdString(phrase);
    const std::optional<int> chosen =
        choose(parent,
               QStringLiteral("“%1”是里程文件，其中不能保存：%2\n\n仍然保存为里程文件吗？"
                              "要全部保存，请保存为 CSV 文件“%3”。")
                   .arg(shown(path), what, shown(csvBeside(path))),
               {QStringLiteral("保存为里程文件"), QStringLiteral("保存为 CSV")}, 1);
    return chosen ? HdmChoice(*chosen) : HdmChoice::Cancel;
}

bool mayReplace(QWidget* parent, const QString& path) {
    return !QFileInfo::exists(path) ||
           choose(parent, QStringLiteral("“%1”已经存在。要替换它吗？").arg(shown(path)),
                  {QStringLiteral("替换")}, 0);
}

enum class ChangedChoice { Overwrite, SaveAs, Cancel };

ChangedChoice askAboutChange(QWidget* parent, const QString& path) {
    const std::optional<int> chosen =
        choose(parent,
               QStringLiteral("“%1”已不是本窗口读取或上次保存时的内容，可能已被其他程序或"
                              "窗口修改。\n\n覆盖会丢失那些修改；也可以另存为别的文件。")
                   .arg(QDir::toNativeSeparators(path)),
               {QStringLiteral("覆盖"), QStringLiteral("另存为…")}, 1);
    return chosen ? ChangedChoice(*chosen) : ChangedChoice::Cancel;
}

QString write(const document::SurveyDocument& document, const QString& path) {
    return storage::saveSurvey(path, document.survey(), formatFor(document, path),
                               document.project());
}

// What the file holds now that it is written; nothing known when it cannot be
// read back, so that the next save does not ask in vain.
document::FileStamp writtenStamp(const QString& path) {
    try {
        const storage::WholeFile file = storage::readWholeFile(path);
        return file.error.isEmpty() ? storage::stampOf(file.bytes) : document::FileStamp{};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace

QString saveDocument(QWidget* parent, document::SurveyDocument& document, SaveWhere where) {
    const document::FileTie file = document.file();
    const bool own =
        where == SaveWhere::OwnFile && !file.path.isEmpty() && file.format != FileFormat::LandXml;
    QString path = own ? file.path : askPath(parent, document, where);
    if (path.isEmpty()) return {};
    bool chosen = !own;
    if (formatFor(document, path) == FileFormat::Hdm) {
        switch (askAboutHdm(parent, path,
                            survey_file::whatIsLeftOut(document.survey(), survey_file::Format::Hdm,
                                                       document.project()))) {
            case HdmChoice::Hdm:
                break;
            case HdmChoice::Csv:
                path = csvBeside(path);
                chosen = true;
                break;
            case HdmChoice::Cancel:
                return {};
        }
    }
    if (chosen && !mayReplace(parent, path)) return {};
    const bool ownFile = !file.path.isEmpty() && QFileInfo(path) == QFileInfo(file.path);
    if (ownFile && storage::changedSince(path, file.stamp)) {
        switch (askAboutChange(parent, path)) {
            case ChangedChoice::Overwrite:
                break;
            case ChangedChoice::SaveAs:
                return saveDocument(parent, document, SaveWhere::Ask);
            case ChangedChoice::Cancel:
                return {};
        }
    }
    if (const QString error = write(document, path); !error.isEmpty()) {
        QMessageBox::warning(parent, applicationTitle(), error);
        return {};
    }
    document.markSaved({path, formatFor(document, path), writtenStamp(path)});
    return path;
}

}  // namespace window
