// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as its command line asks for it:
//   velmorin [FILE]                    the window, FILE opened in it
//   velmorin --pdf OUT.pdf FILE        the calculation sheet of FILE as a PDF
//   velmorin --results FILE            the results of FILE as CSV on stdout
//   velmorin --landxml OUT.xml FILE    the sections of FILE as LandXML 1.2
//   velmorin --sections OUT.pdf|OUT.dxf FILE
//                                      the 横断面图 sheets of FILE as PDF or DXF
//   velmorin --dxf OUT.dxf FILE        the same sheets as DXF (also to stdout)
//   velmorin --road-table OUT.pdf|OUT.xlsx FILE
//                                      the 路基设计表 of a cut-and-fill FILE
//   velmorin --earthworks OUT.pdf|OUT.xlsx FILE
//                                      its 路基土石方数量计算表
//   velmorin --haul OUT.pdf|OUT.xlsx FILE
//                                      its 土方调配表
//   --design DESIGN.csv with any of them: the road design applied to FILE
//   --scale 1:200 and --paper A3|A4 with --sections and --dxf
// The outputs need no window and no display. Exit status 0 on success, 1 for
// a file that cannot be read or calculated, 2 for wrong usage. What looks
// wrong in a survey that calculates goes to standard error, one warning a
// line, and leaves the status 0.

#include <QString>

namespace command_line {

struct Outcome {
    Outcome(int exitStatus) : status(exitStatus) {}  // NOLINT: an output written is its status
    // The window is asked for, with `file` (when not empty) opened in it.
    static Outcome window(const QString& file) {
        Outcome outcome(0);
        outcome.opensWindow = true;
        outcome.file = file;
        return outcome;
    }
    int status;
    bool opensWindow = false;
    QString file;
};

// The output asked for, written; or that the window is asked for, which is
// the caller's to open.
Outcome run(int argc, char* argv[]);

}  // namespace command_line
