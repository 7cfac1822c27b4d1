// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's file dialogs: where they open, and a save path that always
// ends in its file type.

#include <QString>

class QWidget;

namespace window {

// The folder of `current`, or the user's documents when there is none.
QString dialogFolder(const QString& current);

// Asks where to save, proposing `suggested` (a path); the chosen path with
// ".`suffix`" added when it has no ending, empty when the user cancels.
QString askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                    const QString& filter, const QString& suffix);

}  // namespace window
