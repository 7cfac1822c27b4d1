// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/section_drawings_choice.h"

#include <QCheckBox>
#include <QSettings>

namespace window {

namespace {

const QString kSectionDrawingsKey = QStringLiteral("printing/sectionDrawings");

}  // namespace

printout::SectionDrawings chosenSectionDrawings() {
    return QSettings().value(kSectionDrawingsKey, false).toBool()
               ? printout::SectionDrawings::Beside
               : printout::SectionDrawings::Without;
}

QCheckBox* sectionDrawingsBox() {
    auto* box = new QCheckBox(QStringLiteral("计算书附断面图（每个断面的点旁画出断面）"));
    box->setObjectName(QStringLiteral("sectionDrawings"));
    box->setChecked(chosenSectionDrawings() == printout::SectionDrawings::Beside);
    QObject::connect(box, &QCheckBox::toggled,
                     [](bool checked) { QSettings().setValue(kSectionDrawingsKey, checked); });
    return box;
}

}  // namespace window
