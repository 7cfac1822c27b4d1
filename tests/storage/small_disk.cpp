// SPDX-License-Identifier: GPL-3.0-or-later
#include "small_disk.h"

#include <QDir>
#include <QProcess>

SmallDisk::SmallDisk(const QString& folder, const QString& options) : folder_(folder) {
    mounted_ = QDir().mkpath(folder) &&
               QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted_) QProcess::execute("umount", {folder_});
}
