// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading back what the test printer printed. The test queue is cups-pdf: it
// writes each job as a PDF file into its own folder, a moment after the job.

#include <string>
#include <vector>

namespace print_test {

// What a shell command writes to standard output.
std::string commandOutput(const std::string& command);

// The test queue and its output folder, from tools/setup-test-printer (through
// ./test); empty when the tests run without it.
std::string testQueue();
std::string pdfFolder();

// Removes every PDF from the output folder, so the next one is the test's own.
void clearPdfFolder();

// Waits until the queue has no job left and a PDF is in the folder (at most
// 30 s); returns the newest PDF's path, or empty when none came.
std::string waitForPdf();

// Jobs still waiting or printing on `queue`, as `lpstat -o` lists them.
std::string queuedJobs(const std::string& queue);

// The PDF's text as `pdftotext -layout` reads it, one entry a line: runs of
// blanks collapsed to one blank, blanks at the ends and empty lines dropped.
std::vector<std::string> pdfLines(const std::string& path);

// The same, page by page.
std::vector<std::vector<std::string>> pdfPages(const std::string& path);

int pdfPageCount(const std::string& path);

struct Word {
    std::string text;
    double x = 0;       // left edge, points from the page's left edge
    double height = 0;  // points
};

// The words of the first page with their boxes (`pdftotext -bbox`).
std::vector<Word> pdfWords(const std::string& path);

}  // namespace print_test
