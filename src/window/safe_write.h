// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every whole file the program writes is written safely: into a temporary
// file beside the target, synced to disk, then renamed over the target. An
// interrupted write leaves the old file as it was, never half a file. A
// failure comes back as a Chinese message naming the file and the reason.

#include <QByteArray>
#include <QString>

namespace window {

// A temporary file beside `target` for a writer that wants a file name (a PDF
// printer); commit() puts it in place, and an uncommitted one is removed.
class SafeFile {
  public:
    explicit SafeFile(const QString& target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Empty when the temporary file could not be made (see error()).
    const QString& temporaryPath() const { return temporary_; }
    // Syncs the temporary file and renames it over the target. False on
    // failure, with error() saying why.
    bool commit();
    const QString& error() const { return error_; }

  private:
    QString target_;
    QString temporary_;
    QString error_;
    bool committed_ = false;
};

// Writes `bytes` as the whole of `path`; empty on success, else the message.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace window
