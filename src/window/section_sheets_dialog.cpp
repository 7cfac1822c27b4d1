// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/section_sheets_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "paper/section_sheets_pdf.h"
#include "printout/section_sheet_drawing.h"
#include "window/platform/file_dialogs.h"
#include "window/platform/title.h"

namespace window {

namespace {

const QString kFilter = QStringLiteral("PDF 文件 (*.pdf);;DXF 图形 (*.dxf)");

bool endsIn(const QString& path, const char* ending) {
    return path.endsWith(QLatin1String(ending), Qt::CaseInsensitive);
}

}  // namespace

SectionSheetsDialog::SectionSheetsDialog(const section::Survey& survey,
                                         const section::ProjectInfo& project,
                                         const QString& suggested, QWidget* parent)
    : QDialog(parent), survey_(survey), project_(project) {
    setWindowTitle(QStringLiteral("导出横断面图"));
    file_ = new QLineEdit(QDir::toNativeSeparators(suggested), this);
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("浏览(&B)…"), this);
    connect(browse, &QPushButton::clicked, this, &SectionSheetsDialog::browseClicked);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(browse);

    paper_ = new QComboBox(this);
    paper_->addItem(QStringLiteral("A3 横放（420×297 毫米）"));
    paper_->addItem(QStringLiteral("A4 横放（297×210 毫米）"));
    scale_ = new QComboBox(this);
    for (const double scale : printout::kSheetScales)
        scale_->addItem(QStringLiteral("1:%1").arg(scale), scale);
    scale_->setCurrentIndex(scale_->findData(printout::SheetOptions{}.scale));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SectionSheetsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SectionSheetsDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("文件(&F)："), fileRow);
    form->addRow(QStringLiteral("图纸(&P)："), paper_);
    form->addRow(QStringLiteral("比例(&S)："), scale_);
    form->addRow(buttons);
}

void SectionSheetsDialog::browseClicked() {
    const QString current = chosenPath();
    const QString path =
        askSavePath(this, windowTitle(), current, kFilter,
                    endsIn(current, ".dxf") ? QStringLiteral("dxf") : QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    file_->setText(QDir::toNativeSeparators(path));
    replaceable_ = path;
}

// The file as typed, made a PDF when its name says neither PDF nor DXF.
QString SectionSheetsDialog::chosenPath() const {
    QString path = QDir::fromNativeSeparators(file_->text().trimmed());
    if (!path.isEmpty() && !endsIn(path, ".pdf") && !endsIn(path, ".dxf"))
        path += QStringLiteral(".pdf");
    return path;
}

// True when the user goes on with sections that overflow their sheet.
bool SectionSheetsDialog::toldOfOversize(const QString& warning) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), warning, QMessageBox::NoButton, this);
    box.addButton(QStringLiteral("仍然导出"), QMessageBox::AcceptRole);
    QPushButton* back = box.addButton(QStringLiteral("换个比例"), QMessageBox::RejectRole);
    box.setDefaultButton(back);
    box.exec();
    return box.clickedButton() != back;
}

void SectionSheetsDialog::accept() {
    const QString path = chosenPath();
    if (path.isEmpty()) {
        QMessageBox::warning(this, applicationTitle(),
                             QStringLiteral("没有导出：请在“文件”一栏填写要写的 PDF 或 DXF "
                                            "文件，或按“浏览…”选择。"));
        return;
    }
    if (path != replaceable_ && QFileInfo::exists(path) &&
        QMessageBox::question(
            this, applicationTitle(),
            QStringLiteral("“%1”已经存在，要替换它吗？").arg(QDir::toNativeSeparators(path))) !=
            QMessageBox::Yes)
        return;
    printout::SheetOptions options;
    if (paper_->currentIndex() == 1) options.paper = printout::Paper::a4();
    options.scale = scale_->currentData().toDouble();
    const printout::SheetDrawing drawing = printout::sectionSheets(survey_, project_, options);
    const QString warning = paper::oversizeWarning(survey_, drawing);
    if (!warning.isEmpty() && !toldOfOversize(warning)) return;
    if (const QString error = paper::exportSectionSheets(drawing, path); !error.isEmpty()) {
        QMessageBox::warning(this, applicationTitle(), error);
        return;
    }
    written_ = path;
    QDialog::accept();
}

}  // namespace window
