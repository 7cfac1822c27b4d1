// SPDX-License-Identifier: GPL-3.0-or-later
// Started where no installed face covers Chinese (CTest points fontconfig at a
// folder of Latin faces only): one message names the package to install, in
// English too, and the program goes on.

#include <QTest>

#include "dialog_driver.h"
#include "window/platform/startup.h"

class NoChineseFontTest : public QObject {
    Q_OBJECT

  private slots:
    void names_the_font_package_to_install_once_and_goes_on() {
        QVERIFY(!window::chineseFontInstalled());
        QWidget parent;
        DialogDriver driver({acknowledge()});
        window::warnIfNoChineseFont(&parent);
        QVERIFY(driver.scriptDone());
        QCOMPARE(driver.log().size(), 1);
        QVERIFY(driver.log()[0].contains("fonts-arphic-uming"));
        QVERIFY(driver.log()[0].contains("No font for Chinese text"));
    }
};

QTEST_MAIN(NoChineseFontTest)
#include "no_chinese_font_test.moc"
