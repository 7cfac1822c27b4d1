// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal of a calculation in progress: every answer as typed, with the
// kind and place of its prompt, one line each, written as it is given. The
// dialogue is deterministic given its answers, so the journal is enough to
// rebuild an interrupted run.
//
//     velmorin-journal 1
//     9a3b0c1e	answer	elevation	2	5	12.3
//     4f0d2a77	cancel	confirm	2	5
//
// Each line ends in a newline and starts with a checksum of the rest, so a
// line cut by a kill in mid-write, or changed bytes, are told from an answer.
// A carriage return before the newline (a journal copied through Windows) is
// read as part of the line ending.

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/replay.h"

namespace survey_file {

struct JournalEntry {
    section::Answer answer;
    int section = 0;
    int point = 0;
    bool operator==(const JournalEntry&) const = default;
};

// The first line of a journal.
std::string journalHeader();

// One entry as its line, newline included.
std::string journalLine(const JournalEntry& entry);

struct JournalRead {
    std::vector<JournalEntry> entries;
    // Empty when the journal reads; else why not (another version, a line
    // changed by hand or by damage).
    std::string fault;
    // Bytes up to the end of the last whole line: what is kept when a journal
    // cut in mid-write (or padded with NULs by a power cut) is written on.
    std::size_t wholeLength = 0;
};

// The entries up to the last whole line; a cut last line is left out.
JournalRead readJournal(std::string_view text);

}  // namespace survey_file
