// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/volume_method_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

#include "document/survey_document.h"
#include "window/platform/title.h"

namespace window {

QMenu* volumeMethodMenu(QWidget* parent, document::SurveyDocument& document) {
    auto* menu = new QMenu(QStringLiteral("体积计算方法(&M)"), parent);
    auto* group = new QActionGroup(menu);
    const auto follow = [&document, group] {
        const int method = static_cast<int>(document.survey().volumeMethod());
        for (QAction* action : group->actions())
            action->setChecked(action->data().toInt() == method);
    };
    for (const auto method :
         {section::VolumeMethod::AverageEndArea, section::VolumeMethod::Prismoidal}) {
        QAction* action = menu->addAction(QString::fromStdString(section::methodName(method)));
        action->setCheckable(true);
        action->setData(static_cast<int>(method));
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, parent, [parent, &document, method, follow] {
            const document::Edited edited = document.setVolumeMethod(method);
            if (!edited.done())
                QMessageBox::warning(parent, applicationTitle(),
                                     QString::fromStdString(edited.why) +
                                         QStringLiteral("。体积计算方法保持不变。"));
            follow();
        });
    }
    QObject::connect(&document, &document::SurveyDocument::changed, menu, follow);
    follow();
    return menu;
}

}  // namespace window
