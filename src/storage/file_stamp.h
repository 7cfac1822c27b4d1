// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a survey file held when this window read or wrote it, to tell before
// saving over it whether another program or another window has changed it
// since: the last save would otherwise silently win.

#include <QString>
#include <string_view>

#include "document/file_tie.h"

namespace storage {

// The stamp of `bytes`, just read from or written to a file.
document::FileStamp stampOf(std::string_view bytes);

// Whether the file at `path` holds something else than `stamp` says. A file
// that is gone, or a stamp that knows nothing, counts as unchanged: saving
// then loses nothing; one that cannot be read, or was never read here
// (FileStamp::kUnread), counts as changed.
bool changedSince(const QString& path, const document::FileStamp& stamp);

}  // namespace storage
