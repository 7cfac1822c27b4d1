// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/file_stamp.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <new>

#include "storage/whole_file.h"

namespace storage {

document::FileStamp stampOf(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    return {qint64(bytes.size()), QCryptographicHash::hash(view, QCryptographicHash::Sha256)};
}

bool changedSince(const QString& path, const document::FileStamp& stamp) {
    const QFileInfo info(path);
    if (!info.exists() || stamp.size == -1) return false;
    if (stamp.size == document::FileStamp::kUnread) return true;
    // The size tells most changes without reading the file.
    if (info.size() != stamp.size) return true;
    try {
        const WholeFile file = readWholeFile(path);
        return !file.error.isEmpty() || stampOf(file.bytes) != stamp;
    } catch (const std::bad_alloc&) {
        return true;
    }
}

}  // namespace storage
