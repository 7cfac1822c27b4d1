// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/startup.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "window/platform/title.h"

namespace window {

namespace {

constexpr const char* kNoDisplay =
    "velmorin: 没有可用的图形显示，无法打开窗口（请检查 DISPLAY 或 WAYLAND_DISPLAY）。"
    " / no graphical display to open the window on (check DISPLAY or WAYLAND_DISPLAY).\n";

QtMessageHandler qtHandler = nullptr;

// Qt aborts when no platform plugin can start (a display that does not
// answer): say it plainly and end with status 1 instead. Every other message
// goes its usual way.
void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && message.contains(QStringLiteral("platform plugin"))) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
    qtHandler(type, context, message);
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool displayReachable() {
    qtHandler = qInstallMessageHandler(onQtMessage);
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    // A platform chosen on purpose (offscreen, vnc, ...) is Qt's to check.
    if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        std::fputs(kNoDisplay, stderr);
        return false;
    }
#endif
    return true;
}

bool chineseFontInstalled() {
    return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
}

void warnIfNoChineseFont(QWidget* parent) {
    if (chineseFontInstalled()) return;
    QMessageBox::warning(
        parent, applicationTitle(),
        QStringLiteral(
            "没有找到可以显示中文的字体，窗口和计算书中的汉字会显示成方框。"
            "请安装字体软件包 fonts-arphic-uming（sudo apt install fonts-arphic-uming），"
            "然后重新启动程序。\n\n"
            "No font for Chinese text is installed, so the window and the sheet show "
            "boxes instead of Chinese characters. Install the package "
            "fonts-arphic-uming (sudo apt install fonts-arphic-uming) and start the "
            "program again."));
}

}  // namespace window
