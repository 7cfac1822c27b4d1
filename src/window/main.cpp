// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

int main(int argc, char* argv[]) {
    return window::runProgram(argc, argv);
}
