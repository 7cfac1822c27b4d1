// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform/guarded.h"

#include <QMessageBox>
#include <exception>
#include <new>
#include <stdexcept>

#include "window/platform/title.h"

namespace window {

namespace {

constexpr const char* kKept = "本次操作没有完成，上一次完成的计算结果保持不变。";

void tell(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, applicationTitle(), message);
}

// The library's own words are English: they go to the log for whoever
// looks into the fault, the user reads a Chinese one.
void told(QWidget* parent, const std::exception& error, const QString& message) {
    qWarning("velmorin: %s", error.what());
    tell(parent, message + QString::fromUtf8(kKept));
}

}  // namespace

bool runGuarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        tell(parent, QStringLiteral("内存不足。") + QString::fromUtf8(kKept));
    } catch (const std::length_error& error) {
        told(parent, error, QStringLiteral("数据量超出了程序的限制。"));
    } catch (const std::out_of_range& error) {
        told(parent, error, QStringLiteral("程序内部出错（下标越界）。"));
    } catch (const std::exception& error) {
        told(parent, error, QStringLiteral("程序内部出错。"));
    } catch (...) {
        tell(parent, QStringLiteral("程序内部出错。") + QString::fromUtf8(kKept));
    }
    return false;
}

}  // namespace window
