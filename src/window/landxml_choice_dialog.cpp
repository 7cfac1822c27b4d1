// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/landxml_choice_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

namespace window {

namespace {

using survey_file::LandXmlSurface;

constexpr int kNone = -1;

QString shown(const LandXmlSurface& surface) {
    QString text =
        surface.name.empty() ? QStringLiteral("（无名称）") : QString::fromStdString(surface.name);
    if (!surface.desc.empty()) text += QStringLiteral(" — ") + QString::fromStdString(surface.desc);
    return text + QStringLiteral("（%1 个断面）").arg(surface.sections);
}

}  // namespace

LandXmlChoiceDialog::LandXmlChoiceDialog(const survey_file::LandXmlRead& read, QWidget* parent)
    : QDialog(parent), contents_(read.contents) {
    setWindowTitle(QStringLiteral("选择路线和横断面表面"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("这个 LandXML 文件中有不止一个可选的路线或横断面表面，请选择读哪条路线、"
                       "哪个表面作为地面线、哪个作为设计线（已按名称预选）：")));
    auto* form = new QFormLayout;
    alignment_ = new QComboBox;
    ground_ = new QComboBox;
    design_ = new QComboBox;
    for (std::size_t k = 0; k < contents_.alignments.size(); ++k) {
        const survey_file::LandXmlAlignment& each = contents_.alignments[k];
        alignment_->addItem(QStringLiteral("%1（%2 个断面）")
                                .arg(QString::fromStdString(each.name))
                                .arg(each.sections),
                            int(k));
    }
    form->addRow(QStringLiteral("路线："), alignment_);
    form->addRow(QStringLiteral("地面线："), ground_);
    form->addRow(QStringLiteral("设计线："), design_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    if (const auto* chosen = survey_file::chosenAlignment(contents_, read.choice))
        alignment_->setCurrentIndex(int(chosen - contents_.alignments.data()));
    fillSurfaces(read.choice);
    connect(alignment_, &QComboBox::currentIndexChanged, this, [this] {
        fillSurfaces(survey_file::guessChoice(contents_, {shownAlignment().name, {}, {}}));
    });
}

const survey_file::LandXmlAlignment& LandXmlChoiceDialog::shownAlignment() const {
    return contents_.alignments[std::size_t(std::max(0, alignment_->currentIndex()))];
}

void LandXmlChoiceDialog::fillSurfaces(const survey_file::LandXmlChoice& preselected) {
    const survey_file::LandXmlAlignment& alignment = shownAlignment();
    using survey_file::ChoiceRole;
    for (const auto& [list, role, name] :
         {std::tuple{ground_, ChoiceRole::Ground, &preselected.ground},
          std::tuple{design_, ChoiceRole::Design, &preselected.design}}) {
        list->clear();
        const LandXmlSurface* surface = survey_file::chosenSurface(alignment, role, *name);
        // "None" only where the guess found none: an unset name reads as
        // the guess, which then finds none again.
        if (!surface)
            list->addItem(role == ChoiceRole::Ground ? QStringLiteral("（无地面线）")
                                                     : QStringLiteral("（无设计线）"),
                          kNone);
        for (std::size_t k = 0; k < alignment.surfaces.size(); ++k)
            if (!alignment.surfaces[k].closed) list->addItem(shown(alignment.surfaces[k]), int(k));
        const int index = surface ? int(surface - alignment.surfaces.data()) : kNone;
        list->setCurrentIndex(std::max(0, list->findData(index)));
    }
}

survey_file::LandXmlChoice LandXmlChoiceDialog::choice() const {
    const survey_file::LandXmlAlignment& alignment = shownAlignment();
    survey_file::LandXmlChoice choice{alignment.name, {}, {}};
    for (const auto& [list, name] :
         {std::pair{ground_, &choice.ground}, std::pair{design_, &choice.design}}) {
        const int index = list->currentData().toInt();
        if (index != kNone) *name = alignment.surfaces[std::size_t(index)].name;
    }
    return choice;
}

std::optional<survey_file::LandXmlChoice> askLandXmlChoice(QWidget* parent,
                                                           const survey_file::LandXmlRead& read) {
    const auto* alignment = survey_file::chosenAlignment(read.contents, read.choice);
    if (read.contents.alignments.size() < 2 &&
        !(alignment && survey_file::surfacesToChoose(*alignment)))
        return read.choice;
    LandXmlChoiceDialog dialog(read, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace window
