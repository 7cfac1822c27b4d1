// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/native_window.h"

#include <QGuiApplication>
#include <QWidget>

#if VELMORIN_WITH_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace window {

bool nativeWindowGone(const QWidget& window) {
#if VELMORIN_WITH_XCB
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.internalWinId()) return false;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), &error);
    const bool gone = error != nullptr && error->error_code == XCB_WINDOW;
    std::free(reply);
    std::free(error);
    return gone;
#else
    Q_UNUSED(window);
    return false;
#endif
}

}  // namespace window
