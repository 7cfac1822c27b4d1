// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file read whole into memory, never mapped: a file cut short while it is
// mapped (a spreadsheet saving over it) would end the program. Only regular
// files are read; a pipe or a device would block or never end.

#include <QString>
#include <string>

namespace storage {

struct WholeFile {
    std::string bytes;
    QString error;  // empty on success, else names the file and the reason
};

// The bytes of `path`. A file whose size or time of change moves while it is
// read is refused as changed. Throws std::bad_alloc when it does not fit in
// memory.
WholeFile readWholeFile(const QString& path);

}  // namespace storage
