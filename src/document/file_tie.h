// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file a survey belongs to: where it is, the format it is in, and what
// it held when this window read or last wrote it, so that a save can tell
// whether another program or window has changed it since. Each step that
// replaces the survey (打开文件, 新建, 计算) carries the file of the survey it
// replaced, so that undoing it gives that survey its own file back.

#include <QByteArray>
#include <QString>

namespace document {

enum class FileFormat {
    SurveyCsv,  // our CSV, of either kind
    Hdm,        // a 里程文件
    LandXml,    // read only: saving writes one of the others
};

struct FileStamp {
    // The file was never read here (edits recovered from an earlier run): it
    // may hold anything by now.
    static constexpr qint64 kUnread = -2;
    qint64 size = -1;     // -1: nothing known of the file, nothing to lose
    QByteArray digest{};  // of its bytes
    bool operator==(const FileStamp&) const = default;
};

struct FileTie {
    QString path{};  // empty: the survey has no file yet
    FileFormat format = FileFormat::SurveyCsv;
    FileStamp stamp{};
    // Shown for a survey without a file that is still somebody's copy (最近一次计算).
    QString name{};
};

}  // namespace document
