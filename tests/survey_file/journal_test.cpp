// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of answers: every answer comes back as given, a line cut by a
// kill (or NULs after it) is left out, Windows line endings are read, a
// changed line or another version is refused.

#include "survey_file/journal.h"

#include <gtest/gtest.h>

namespace {

using section::PromptKind;
using survey_file::JournalEntry;
using survey_file::journalHeader;
using survey_file::journalLine;
using survey_file::readJournal;

const std::vector<JournalEntry> kEntries{
    {{PromptKind::SectionCount, "2"}, 0, 0},
    {{PromptKind::StationQuestion, std::nullopt}, 0, 0},  // a Cancel that counts as "no"
    {{PromptKind::Elevation, " 1\t2\\n\n"}, 1, 3},        // blanks, a tab, a backslash
    {{PromptKind::Confirm, ""}, 1, 3},
    {{PromptKind::Pause, "全角１２"}, 1, 0},
};

std::string journalOf(const std::vector<JournalEntry>& entries) {
    std::string text = journalHeader();
    for (const JournalEntry& entry : entries) text += journalLine(entry);
    return text;
}

TEST(Journal, gives_back_every_answer_as_it_was_given) {
    const survey_file::JournalRead read = readJournal(journalOf(kEntries));
    EXPECT_EQ(read.fault, "");
    EXPECT_EQ(read.entries, kEntries);
}

TEST(Journal, leaves_out_a_last_line_cut_in_mid_write) {
    const std::string whole = journalOf(kEntries);
    for (std::size_t cut = 1; cut < journalLine(kEntries.back()).size(); ++cut) {
        const survey_file::JournalRead read = readJournal(whole.substr(0, whole.size() - cut));
        EXPECT_EQ(read.fault, "") << cut;
        EXPECT_EQ(read.entries.size(), kEntries.size() - 1) << cut;
    }
    const survey_file::JournalRead padded = readJournal(whole + std::string(300, '\0'));
    EXPECT_EQ(padded.fault, "");  // NULs after the last line, as a power cut leaves them
    EXPECT_EQ(padded.entries, kEntries);
    EXPECT_EQ(padded.wholeLength, whole.size());
    EXPECT_EQ(readJournal(whole.substr(0, whole.size() - 3)).wholeLength,
              whole.size() - journalLine(kEntries.back()).size());
    EXPECT_EQ(readJournal("velmor").fault, "");  // cut inside the header
    EXPECT_TRUE(readJournal("").entries.empty());
}

TEST(Journal, reads_windows_line_endings) {
    std::string crlf;
    for (char c : journalOf(kEntries)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const survey_file::JournalRead read = readJournal(crlf);
    EXPECT_EQ(read.fault, "");
    EXPECT_EQ(read.entries, kEntries);
    EXPECT_EQ(read.wholeLength, crlf.size());
}

TEST(Journal, refuses_a_changed_line_and_another_version) {
    std::string changed = journalOf(kEntries);
    changed[changed.find("\t2\n") + 1] = '3';  // the section count typed by hand
    EXPECT_EQ(readJournal(changed).fault, "第 2 行已损坏");
    EXPECT_TRUE(readJournal(changed).entries.empty());
    EXPECT_EQ(readJournal("velmorin-journal 2\n").fault, "不是本版本程序的计算记录");
    EXPECT_EQ(readJournal("\x89PNG\r\n").fault, "不是本版本程序的计算记录");
}

}  // namespace
