// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small tmpfs mounted on a new folder while the object lives, for a test
// that fills a disk. Mounting needs root: where it is not allowed, mounted()
// is false and the test skips.

#include <QString>

class SmallDisk {
  public:
    SmallDisk(const QString& folder, const QString& options);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString filePath(const QString& name) const { return folder_ + u'/' + name; }

  private:
    QString folder_;
    bool mounted_ = false;
};
