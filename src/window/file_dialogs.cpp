// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace window {

QString dialogFolder(const QString& current) {
    return current.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                             : QFileInfo(current).absolutePath();
}

QString askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                    const QString& filter, const QString& suffix) {
    const QString path = QFileDialog::getSaveFileName(parent, title, suggested, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + u'.' + suffix;
}

}  // namespace window
