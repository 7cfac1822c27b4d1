// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_pdf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>

namespace print_test {

namespace {

namespace fs = std::filesystem;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string newestPdf() {
    std::string newest;
    fs::file_time_type newestTime;
    for (const fs::directory_entry& entry : fs::directory_iterator(pdfFolder())) {
        if (entry.path().extension() != ".pdf") continue;
        if (newest.empty() || entry.last_write_time() > newestTime) {
            newest = entry.path().string();
            newestTime = entry.last_write_time();
        }
    }
    return newest;
}

std::string collapsed(const std::string& line) {
    const std::string single = std::regex_replace(line, std::regex("\\s+"), " ");
    const std::size_t first = single.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return single.substr(first, single.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, read);
        pclose(pipe);
    }
    return output;
}

std::string testQueue() {
    return environment("PRINTER");
}
std::string pdfFolder() {
    return environment("VELMORIN_TEST_PDF_DIR");
}

void clearPdfFolder() {
    for (const fs::directory_entry& entry : fs::directory_iterator(pdfFolder())) {
        if (entry.path().extension() == ".pdf") fs::remove(entry.path());
    }
}

std::string queuedJobs(const std::string& queue) {
    return commandOutput("lpstat -o '" + queue + "' 2>&1");
}

std::string waitForPdf() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string pdf = newestPdf();
        if (!pdf.empty() && queuedJobs(testQueue()).empty()) return pdf;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
}

std::vector<std::string> pdfLines(const std::string& path) {
    std::istringstream text(commandOutput("pdftotext -layout '" + path + "' -"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (std::string kept = collapsed(line); !kept.empty()) lines.push_back(kept);
    }
    return lines;
}

std::vector<std::vector<std::string>> pdfPages(const std::string& path) {
    std::vector<std::vector<std::string>> pages(1);
    std::istringstream text(commandOutput("pdftotext -layout '" + path + "' -"));
    for (std::string line; std::getline(text, line);) {
        // pdftotext ends every page with a form feed.
        for (std::size_t feed = line.find('\f'); feed != std::string::npos;
             feed = line.find('\f')) {
            if (std::string kept = collapsed(line.substr(0, feed)); !kept.empty())
                pages.back().push_back(kept);
            pages.emplace_back();
            line.erase(0, feed + 1);
        }
        if (std::string kept = collapsed(line); !kept.empty()) pages.back().push_back(kept);
    }
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

int pdfPageCount(const std::string& path) {
    std::smatch match;
    const std::string info = commandOutput("pdfinfo '" + path + "'");
    if (!std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)"))) return 0;
    return std::stoi(match[1]);
}

std::vector<Word> pdfWords(const std::string& path) {
    const std::string html = commandOutput("pdftotext -bbox -f 1 -l 1 '" + path + "' -");
    const std::regex word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
        "yMax=\"([0-9.]+)\">([^<]*)</word>");
    std::vector<Word> words;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
        const std::smatch& m = *it;
        words.push_back({m[4], std::stod(m[1]), std::stod(m[3]) - std::stod(m[2])});
    }
    return words;
}

}  // namespace print_test
