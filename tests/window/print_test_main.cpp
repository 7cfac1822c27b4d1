// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the printing tests: Qt's printer needs an application, and the
// sheet's "宋体" must map to the installed Song face as in the program.

#include <gtest/gtest.h>

#include <QApplication>

#include "paper/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    paper::installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
