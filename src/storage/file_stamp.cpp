// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/file_stamp.h"

#include <QFileInfo>
#include <QHash>
#include <cstddef>
#include <new>

#include "storage/whole_file.h"

namespace storage {

namespace {

// Any seed but 0 lets Qt hash with the processor's AES instructions where it
// has them: a few milliseconds for 20 MB, where a SHA-256 digest took longer
// than reading and calculating the survey.
constexpr std::size_t kSeed = 0x5eed;

}  // namespace

// Stamps are compared only within this process, only to see whether a file
// changed: a 64-bit hash beside the size tells that.
document::FileStamp stampOf(std::string_view bytes) {
    const std::size_t hash = qHash(QByteArrayView(bytes.data(), qsizetype(bytes.size())), kSeed);
    return {qint64(bytes.size()), QByteArray(reinterpret_cast<const char*>(&hash), sizeof hash)};
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
