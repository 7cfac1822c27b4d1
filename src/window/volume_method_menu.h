// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 计算 ▸ 体积计算方法 ▸ 平均断面法 / 棱台法: the survey's volume method, one
// undoable step; the checked item follows the document, its undo and redo
// and every survey opened.

class QMenu;
class QWidget;

namespace document {
class SurveyDocument;
}

namespace window {

// The submenu, for `parent`'s menu bar; a method the survey cannot be
// worked out by is told in a message box and nothing changes.
QMenu* volumeMethodMenu(QWidget* parent, document::SurveyDocument& document);

}  // namespace window
