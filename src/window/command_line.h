// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as its command line asks for it:
//   velmorin [FILE]                    the window, FILE opened in it
//   velmorin --pdf OUT.pdf FILE        the calculation sheet of FILE as a PDF
//   velmorin --results FILE            the results of FILE as CSV on stdout
//   velmorin --landxml OUT.xml FILE    the sections of FILE as LandXML 1.2
//   velmorin --dxf OUT.dxf FILE        the section drawings of FILE as DXF
// The last four need no window and no display. Exit status 0 on success, 1 for
// a file that cannot be read or calculated, 2 for wrong usage. What looks
// wrong in a survey that calculates goes to standard error, one warning a
// line, and leaves the status 0.

namespace window {

int runProgram(int argc, char* argv[]);

}  // namespace window
