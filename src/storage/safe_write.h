// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every whole file the program writes is written safely: into a temporary
// file beside the target, synced to disk, then renamed over the target. An
// interrupted write leaves the old file as it was, never half a file. A
// failure comes back as a Chinese message naming the file and the reason.
//
// A symbolic link is followed: the file it points to is replaced and the link
// stays. The new file keeps the old one's permissions (and its owner where the
// system allows). A file with further hard links is rewritten in place, only
// once the whole new content is on disk in the temporary file and the space
// for it is reserved, so that all its names keep seeing one file. Anything
// that is not a regular file (a device, a FIFO, a folder) is refused, never
// replaced. Temporaries of saves that were cut off (".vm-PID-XXXXXX.tmp", and
// ".NAME.N.tmp" of earlier versions) are removed by the next save beside them.

#include <QByteArray>
#include <QString>
#include <functional>

namespace storage {

// A temporary file beside the target for a writer that wants a file name (a
// PDF printer) or for write(); commit() puts it in place, and an uncommitted
// one is removed.
class SafeFile {
  public:
    explicit SafeFile(const QString& target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Empty when the target is refused or no temporary file could be made
    // (see error()).
    const QString& temporaryPath() const { return temporary_; }
    // `bytes` as the whole temporary file, every write and the close checked.
    bool write(const QByteArray& bytes);
    // Syncs the temporary file and puts it in place of the target. False on
    // failure, with error() saying why.
    bool commit();
    const QString& error() const { return error_; }

  private:
    bool commitInPlace();

    QString target_;       // as named, for the messages
    QString destination_;  // the file replaced: symbolic links followed
    QString temporary_;
    QString error_;
    bool committed_ = false;
};

// Writes `bytes` as the whole of `path`; empty on success, else the message.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

// The bytes that `write` puts into a temporary file of the system's ending in
// `ending` (".pdf"), for writers that write only to a file by name; `write`
// returns empty or the message. Empty with `error` set on failure.
QByteArray bytesWrittenBy(const QString& ending,
                          const std::function<QString(const QString& file)>& write, QString& error);

}  // namespace storage
