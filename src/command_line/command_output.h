// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line writes: standard output with every write, the sync
// to disk of a file it goes to and its close checked; and never an output
// that is the survey file being read.

#include <QByteArray>
#include <QString>

namespace command_line {

// The name of standard output on the command line.
inline constexpr QLatin1StringView kStandardOutput("-");

// Empty on success, else the message naming where standard output goes and
// the reason.
QString writeStandardOutput(const QByteArray& bytes);

// Empty when `output` (a file, or kStandardOutput) is not the survey file
// `input` itself, under any name; else the message.
QString outputOverInput(const QString& input, const QString& output);

}  // namespace command_line
