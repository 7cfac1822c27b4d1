// SPDX-License-Identifier: GPL-3.0-or-later
// Files written safely: a save interrupted between writing and renaming leaves
// the earlier file whole; a full disk and a read-only folder get a message
// naming the file and the reason; links are written through, permissions and
// hard links kept; what is not a regular file is refused; temporaries of
// cut-off saves are cleared; the longest names save. The tests that mount small
// tmpfs folders are skipped where mounting is not allowed.

#include "storage/safe_write.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "qstring_print.h"
#include "small_disk.h"

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct stat statusOf(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class SafeWrite : public testing::Test {
  protected:
    QTemporaryDir folder;
};

TEST_F(SafeWrite, a_save_interrupted_before_its_rename_leaves_the_earlier_file_whole) {
    const QString path = folder.filePath("测量数据.csv");
    EXPECT_EQ(storage::writeFileSafely(path, "first"), QString());
    {
        storage::SafeFile interrupted(path);
        QFile half(interrupted.temporaryPath());
        ASSERT_TRUE(half.open(QIODevice::WriteOnly));
        half.write("sec");
    }  // never committed, as when the program dies before the rename
    EXPECT_EQ(contents(path), "first");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"测量数据.csv"});
    EXPECT_EQ(storage::writeFileSafely(path, "second"), QString());
    EXPECT_EQ(contents(path), "second");
}

TEST_F(SafeWrite, a_symbolic_link_stays_and_the_file_it_points_to_is_replaced) {
    QDir(folder.path()).mkpath("real");
    const QString file = folder.filePath("real/测量数据.csv");
    ASSERT_TRUE(write(file, "first"));
    ASSERT_TRUE(
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString link = folder.filePath("链接.csv");
    ASSERT_TRUE(QFile::link("real/测量数据.csv", link));
    EXPECT_EQ(storage::writeFileSafely(link, "second"), QString());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), file);
    EXPECT_EQ(contents(file), "second");
    EXPECT_EQ(statusOf(file).st_mode & 07777, 0640u);
    EXPECT_EQ(entries(folder.filePath("real")), QStringList{"测量数据.csv"});

    // A link to a file not there yet makes that file.
    const QString dangling = folder.filePath("新.csv");
    ASSERT_TRUE(QFile::link("real/新的.csv", dangling));
    EXPECT_EQ(storage::writeFileSafely(dangling, "new"), QString());
    ASSERT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(contents(folder.filePath("real/新的.csv")), "new");
}

TEST_F(SafeWrite, a_replaced_file_keeps_its_permissions) {
    const QString path = folder.filePath("private.csv");
    ASSERT_TRUE(write(path, "first"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(storage::writeFileSafely(path, "second"), QString());
    EXPECT_EQ(statusOf(path).st_mode & 07777, 0600u);
}

TEST_F(SafeWrite, a_file_with_hard_links_is_rewritten_in_place_for_all_its_names) {
    const QString inner = folder.filePath("links");
    QDir().mkpath(inner);
    const QString path = inner + "/a.csv";
    const QString other = inner + "/b.csv";
    ASSERT_TRUE(write(path, "the first, longer content"));
    ASSERT_TRUE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) ==
                0);
    const ino_t inode = statusOf(path).st_ino;
    EXPECT_EQ(storage::writeFileSafely(path, "shorter"), QString());
    EXPECT_EQ(contents(other), "shorter");
    EXPECT_EQ(statusOf(path).st_ino, inode);
    EXPECT_EQ(statusOf(path).st_nlink, nlink_t(2));
    EXPECT_EQ(entries(inner), (QStringList{"a.csv", "b.csv"}));
}

TEST_F(SafeWrite, a_full_disk_stops_a_hard_linked_file_before_it_is_touched) {
    const SmallDisk disk(folder.filePath("full-linked"), "size=64k");
    if (!disk.mounted()) GTEST_SKIP() << ("cannot mount a small tmpfs here (not root?)");
    const QString path = disk.filePath("a.csv");
    ASSERT_TRUE(write(path, "earlier"));
    ASSERT_TRUE(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(disk.filePath("b.csv")).constData()) == 0);
    // 36 KiB fit once, as the temporary, but not a second time in place.
    EXPECT_EQ(storage::writeFileSafely(path, QByteArray(36 * 1024, 'x')),
              "无法写入文件“" + path + "”：磁盘空间不足。");
    EXPECT_EQ(contents(path), "earlier");
    EXPECT_EQ(contents(disk.filePath("b.csv")), "earlier");
    EXPECT_EQ(entries(disk.filePath(".")), (QStringList{"a.csv", "b.csv"}));
}

TEST_F(SafeWrite, what_is_not_a_regular_file_is_refused_and_stays) {
    const QString fifo = folder.filePath("管道");
    ASSERT_TRUE(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
    EXPECT_EQ(storage::writeFileSafely(fifo, "x"),
              "没有写入“" + fifo + "”：这是一个管道（FIFO），不是普通文件，保存不会替换它。");
    ASSERT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));
    const QString link = folder.filePath("to-fifo");
    ASSERT_TRUE(QFile::link(fifo, link));
    ASSERT_TRUE(!storage::writeFileSafely(link, "x").isEmpty());
    ASSERT_TRUE(QFileInfo(link).isSymLink());

    const QString inner = folder.filePath("文件夹");
    ASSERT_TRUE(QDir().mkpath(inner));
    EXPECT_EQ(storage::writeFileSafely(inner, "x"),
              "无法写入文件“" + inner + "”：这是一个文件夹，不是文件。");
    ASSERT_TRUE(QFileInfo(inner).isDir());

    const QString device = folder.filePath("null");
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(storage::writeFileSafely(device, "x"),
                  "没有写入“" + device + "”：这是一个设备，不是普通文件，保存不会替换它。");
        ASSERT_TRUE(S_ISCHR(statusOf(device).st_mode));
    }
    EXPECT_EQ(entries(folder.path()).filter(".tmp"), QStringList());
}

TEST_F(SafeWrite, temporaries_of_cut_off_saves_are_cleared_and_live_ones_kept) {
    const QString inner = folder.filePath("stale");
    QDir().mkpath(inner);
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    const auto make = [&](const QString& name, bool old) {
        QFile file(QDir(inner).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (old) {
            ASSERT_TRUE(file.setFileTime(hourAgo, QFileDevice::FileModificationTime));
        }
    };
    // Earlier versions gave up at 100 of their own.
    for (int k = 0; k < 100; ++k) make(QStringLiteral(".数据.csv.%1.tmp").arg(k), true);
    make(".数据.csv.100.tmp", false);
    QProcess gone;
    gone.start("true");
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 gonePid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 self = QCoreApplication::applicationPid();
    make(QStringLiteral(".vm-%1-abcdef.tmp").arg(gonePid), false);
    make(QStringLiteral(".vm-%1-ghijkl.tmp").arg(self), false);
    make(QStringLiteral(".vm-%1-mnopqr.tmp").arg(self), true);
    make(".other.tmp", true);
    EXPECT_EQ(storage::writeFileSafely(QDir(inner).filePath("数据.csv"), "x"), QString());
    EXPECT_EQ(entries(inner),
              (QStringList{".other.tmp", QStringLiteral(".vm-%1-ghijkl.tmp").arg(self),
                           ".数据.csv.100.tmp", "数据.csv"}));
}

TEST_F(SafeWrite, the_longest_file_names_save) {
    const QString name = QString(85, QChar(u'断'));  // 255 bytes in UTF-8
    EXPECT_EQ(QFile::encodeName(name).size(), 255);
    const QString path = folder.filePath(name);
    EXPECT_EQ(storage::writeFileSafely(path, "first"), QString());
    EXPECT_EQ(storage::writeFileSafely(path, "second"), QString());
    EXPECT_EQ(contents(path), "second");
}

TEST_F(SafeWrite, a_full_disk_is_named_and_the_earlier_file_stays) {
    const SmallDisk disk(folder.filePath("full"), "size=64k");
    if (!disk.mounted()) GTEST_SKIP() << ("cannot mount a small tmpfs here (not root?)");
    const QString path = disk.filePath("计算书.pdf");
    EXPECT_EQ(storage::writeFileSafely(path, "earlier"), QString());
    EXPECT_EQ(storage::writeFileSafely(path, QByteArray(200 * 1024, 'x')),
              "无法写入文件“" + path + "”：磁盘空间不足。");
    EXPECT_EQ(contents(path), "earlier");
}

TEST_F(SafeWrite, a_read_only_folder_is_named) {
    const SmallDisk disk(folder.filePath("read-only"), "ro,size=64k");
    if (!disk.mounted()) GTEST_SKIP() << ("cannot mount a tmpfs here (not root?)");
    const QString path = disk.filePath("测量数据.csv");
    EXPECT_EQ(storage::writeFileSafely(path, "x"),
              "无法写入文件“" + path + "”：文件夹所在的磁盘是只读的。");
}
}  // namespace
