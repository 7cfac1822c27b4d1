// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/project_info_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <optional>

#include "document/survey_document.h"
#include "window/platform/title.h"

namespace window {

namespace {

struct Field {
    const char16_t* label;
    std::string section::ProjectInfo::*value;
    const char16_t* hint;
};

const std::array<Field, ProjectInfoDialog::kFields> kFieldsShown{{
    {u"工程名称(&N)：", &section::ProjectInfo::projectName, u"例如：某某公路改建工程"},
    {u"路段(&R)：", &section::ProjectInfo::segment, u"例如：K1+000～K2+000"},
    {u"计算(&C)：", &section::ProjectInfo::calculatedBy, u""},
    {u"复核(&K)：", &section::ProjectInfo::checkedBy, u""},
    {u"日期(&D)：", &section::ProjectInfo::date, u""},
}};

}  // namespace

ProjectInfoDialog::ProjectInfoDialog(const section::ProjectInfo& project, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("工程信息 - ") + applicationTitle());
    auto* form = new QFormLayout(this);
    for (std::size_t k = 0; k < kFields; ++k) {
        auto* edit = new QLineEdit(QString::fromStdString(project.*kFieldsShown[k].value), this);
        edit->setPlaceholderText(QString::fromUtf16(kFieldsShown[k].hint));
        edit->setMinimumWidth(320);
        form->addRow(QString::fromUtf16(kFieldsShown[k].label), edit);
        fields_[k] = edit;
    }
    if (project.date.empty())
        fields_[kFields - 1]->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

namespace {

// The first control character of `text` but a tab, which a value may hold
// as our files do, as its code ("U+000A"), or nothing.
std::optional<QString> controlIn(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control && c != u'\t')
            return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return std::nullopt;
}

QString plainLabel(const char16_t* label) {
    return QString::fromUtf16(label).section(QStringLiteral("(&"), 0, 0);
}

}  // namespace

void ProjectInfoDialog::accept() {
    for (std::size_t k = 0; k < kFields; ++k) {
        const std::optional<QString> control = controlIn(fields_[k]->text());
        if (!control) continue;
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("“%1”中有控制字符（%2，例如换行），不能用作"
                                            "工程信息。请删去它，再单击“确定”。")
                                 .arg(plainLabel(kFieldsShown[k].label), *control));
        fields_[k]->setFocus();
        return;
    }
    QDialog::accept();
}

section::ProjectInfo ProjectInfoDialog::project() const {
    section::ProjectInfo project;
    for (std::size_t k = 0; k < kFields; ++k)
        project.*kFieldsShown[k].value = fields_[k]->text().trimmed().toStdString();
    return project;
}

void editProjectInfo(document::SurveyDocument& document, QWidget* parent) {
    ProjectInfoDialog dialog(document.project(), parent);
    if (dialog.exec() == QDialog::Accepted) document.setProject(dialog.project());
}

}  // namespace window
