// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal file held open under an exclusive lock for as long as this
// instance keeps it: through the descriptor's flock on POSIX systems, through
// a lock file beside it elsewhere. Every call returns 0 or the system's error
// number, for the journal to tell in the user's words.

#include <QString>
#include <cstddef>
#include <memory>
#include <string>

namespace storage {

class JournalHandle {
  public:
    JournalHandle();
    ~JournalHandle();
    JournalHandle(const JournalHandle&) = delete;
    JournalHandle& operator=(const JournalHandle&) = delete;

    enum class Taken {
        Held,        // open and locked: this instance's now
        Passed,      // held by a running instance, or gone or replaced meanwhile
        NotRegular,  // a FIFO, a device, a folder named like a journal
        Failed,      // cannot be opened: `error`
    };
    struct Take {
        Taken taken = Taken::Failed;
        int error = 0;
    };
    // An existing journal, opened without blocking and locked without waiting.
    Take take(const QString& path);
    // Made as `temporary`, locked, `header` written through to the disk, and
    // only then renamed to `path`: nobody ever sees a journal nobody holds.
    int create(const QString& temporary, const std::string& header, const QString& path);

    bool isOpen() const;
    // Still the file named `path`, not removed or replaced behind our back.
    bool isAt(const QString& path) const;
    // The whole file; `tooLarge` instead when it is longer than `largest`.
    int readAll(std::string& bytes, std::size_t largest, bool& tooLarge);
    // Cut back to `length` and synced.
    int cutTo(std::size_t length);
    // Written at `offset` and synced; a short write counts as a full disk.
    int writeAt(std::size_t offset, const std::string& bytes);
    // Renamed while still held, so no other instance takes it half-way; then let go.
    int moveTo(const QString& from, const QString& to);
    // Removed, then let go; a file already gone is no failure.
    int remove(const QString& path);
    void close();

  private:
    struct Held;
    std::unique_ptr<Held> held_;
};

}  // namespace storage
