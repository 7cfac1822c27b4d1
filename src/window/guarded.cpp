// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/guarded.h"

#include <QMessageBox>
#include <exception>
#include <new>

#include "window/layout.h"

namespace window {

namespace {

constexpr const char* kKept = "本次操作没有完成，上一次完成的计算结果保持不变。";

void tell(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QString::fromUtf8(formCaption), message);
}

}  // namespace

bool runGuarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        tell(parent, QStringLiteral("内存不足。") + QString::fromUtf8(kKept));
    } catch (const std::exception& error) {
        tell(parent, QStringLiteral("程序内部出错（%1）。").arg(QString::fromUtf8(error.what())) +
                         QString::fromUtf8(kKept));
    } catch (...) {
        tell(parent, QStringLiteral("程序内部出错。") + QString::fromUtf8(kKept));
    }
    return false;
}

}  // namespace window
