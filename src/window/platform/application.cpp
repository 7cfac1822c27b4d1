// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "paper/fonts.h"

namespace window {

void prepareApplication(QApplication& app) {
    // One look everywhere; Fusion also paints the buttons' own colours.
    QApplication::setStyle(QStringLiteral("Fusion"));

    // 确定 / 取消 on the prompts and message boxes. Without the translation the
    // buttons read OK / Cancel, which still works.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    paper::installFontSubstitutions();

    // The desktop entry's icon; Qt draws it with its SVG icon engine (libqt6svg6).
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmorin.svg")));
    QApplication::setDesktopFileName(QStringLiteral("velmorin"));
    QApplication::setApplicationName(QStringLiteral("velmorin"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORIN_VERSION));
}

}  // namespace window
