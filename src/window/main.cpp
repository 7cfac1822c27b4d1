// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "window/application.h"
#include "window/main_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    window::prepareApplication(app);
    window::MainForm form;
    form.show();
    return QApplication::exec();
}
