// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's menu entry whose text starts with `startsWith`, as a user
// finds it by its name; null when there is none.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "window/main_window.h"

inline QAction* menuAction(window::MainWindow& mainWindow, const QString& startsWith) {
    for (QAction* menu : mainWindow.menuBar()->actions())
        for (QAction* action : menu->menu()->actions())
            if (action->text().startsWith(startsWith)) return action;
    return nullptr;
}
