// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line leaves to main: the window (with the file to open)
// only when no output is asked for; a wrong use or a file that does not open
// is its exit status, without a window. (An output written closes standard
// output, so none is asked for here: the scripts beside this test ask.)

#include "command_line/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

command_line::Outcome runWith(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "velmorin");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return command_line::run(int(arguments.size()), argv.data());
}

TEST(CommandLine, only_a_call_without_an_output_opens_the_window) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        bool window;
        int status;
        const char* file;
    } rows[] = {
        {"nothing", {}, true, 0, ""},
        {"a file", {"路.csv"}, true, 0, "路.csv"},
        {"an output without its name", {"--pdf"}, false, 2, ""},
        {"an option unknown", {"--bogus", "a.csv"}, false, 2, ""},
        {"two files", {"--results", "a.csv", "b.csv"}, false, 2, ""},
        {"two outputs", {"--results", "--dxf", "out.dxf", "a.csv"}, false, 2, ""},
        {"a file that does not open", {"--results", "/nonexistent/a.csv"}, false, 1, ""},
        {"the road table without its name", {"--road-table"}, false, 2, ""},
        {"the road table of another ending", {"--road-table", "out.csv", "a.csv"}, false, 2, ""},
        {"a method unknown", {"--method", "cone", "--results", "a.csv"}, false, 2, ""},
        {"a method without its name", {"--results", "a.csv", "--method"}, false, 2, ""},
        {"a method without an output", {"--method", "prismoidal", "a.csv"}, false, 2, ""},
        {"a method known, a file that does not open",
         {"--method", "Prismoidal", "--results", "/nonexistent/a.csv"},
         false,
         1,
         ""},
        {"drawings without the sheet", {"--drawings", "--results", "a.csv"}, false, 2, ""},
        {"drawings alone", {"--drawings", "a.csv"}, false, 2, ""},
        {"the sheet with drawings, a file that does not open",
         {"--drawings", "--pdf", "out.pdf", "/nonexistent/a.csv"},
         false,
         1,
         ""},
        {"the road table beside another output",
         {"--road-table", "out.pdf", "--pdf", "b.pdf", "a.csv"},
         false,
         2,
         ""},
    };
    for (const auto& row : rows) {
        const command_line::Outcome outcome = runWith(row.arguments);
        EXPECT_EQ(outcome.opensWindow, row.window) << row.name;
        EXPECT_EQ(outcome.status, row.status) << row.name;
        EXPECT_EQ(outcome.file.toStdString(), row.file) << row.name;
    }
}

}  // namespace
