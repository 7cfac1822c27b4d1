// SPDX-License-Identifier: GPL-3.0-or-later
// Files written safely: a save interrupted between writing and renaming leaves
// the earlier file whole; a full disk and a read-only folder get a message
// naming the file and the reason. The last two mount small tmpfs folders and
// are skipped where mounting is not allowed.

#include "window/safe_write.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool mountTmpfs(const QString& folder, const QString& options) {
    return QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
}

}  // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString mounted;

  private slots:
    void cleanup() {
        if (!mounted.isEmpty()) QProcess::execute("umount", {mounted});
        mounted.clear();
    }

    void a_save_interrupted_before_its_rename_leaves_the_earlier_file_whole() {
        const QString path = folder.filePath("测量数据.csv");
        QCOMPARE(window::writeFileSafely(path, "first"), QString());
        {
            window::SafeFile interrupted(path);
            QFile half(interrupted.temporaryPath());
            QVERIFY(half.open(QIODevice::WriteOnly));
            half.write("sec");
        }  // never committed, as when the program dies before the rename
        QCOMPARE(contents(path), "first");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"测量数据.csv"});
        QCOMPARE(window::writeFileSafely(path, "second"), QString());
        QCOMPARE(contents(path), "second");
    }

    void a_full_disk_is_named_and_the_earlier_file_stays() {
        const QString disk = folder.filePath("full");
        QDir().mkpath(disk);
        if (!mountTmpfs(disk, "size=64k")) QSKIP("cannot mount a small tmpfs here (not root?)");
        mounted = disk;
        const QString path = disk + "/计算书.pdf";
        QCOMPARE(window::writeFileSafely(path, "earlier"), QString());
        QCOMPARE(window::writeFileSafely(path, QByteArray(200 * 1024, 'x')),
                 "无法写入文件“" + path + "”：磁盘空间不足。");
        QCOMPARE(contents(path), "earlier");
    }

    void a_read_only_folder_is_named() {
        const QString disk = folder.filePath("read-only");
        QDir().mkpath(disk);
        if (!mountTmpfs(disk, "ro,size=64k")) QSKIP("cannot mount a tmpfs here (not root?)");
        mounted = disk;
        const QString path = disk + "/测量数据.csv";
        QCOMPARE(window::writeFileSafely(path, "x"),
                 "无法写入文件“" + path + "”：文件夹所在的磁盘是只读的。");
    }
};

QTEST_MAIN(SafeWriteTest)
#include "safe_write_test.moc"
