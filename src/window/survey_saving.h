// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the document's survey. 保存 writes to the survey's own file without
// a dialog when it has one in a format we write (our CSV or a 里程文件);
// 另存为, a survey without a file and one read from LandXML ask where. Before
// anything is written: what a 里程文件 cannot keep is named, with CSV offered
// instead; a file already there is replaced only when the user says so; and
// the survey's own file, changed by another program or window since this one
// read or wrote it, is not saved over without asking.

#include <QString>

class QWidget;

namespace document {
class SurveyDocument;
}

namespace window {

enum class SaveWhere { OwnFile, Ask };

// The path saved to, the document then tied to it; empty when nothing was
// saved (cancelled, or after telling the user why).
QString saveDocument(QWidget* parent, document::SurveyDocument& document, SaveWhere where);

}  // namespace window
