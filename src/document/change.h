// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one change of the document touched, so a view redraws only that. Every
// change also moves the volumes beside the sections named and the total.

namespace document {

struct Change {
    enum class Kind {
        Survey,    // the whole survey replaced: a typed run, an opened file, or their undo
        Values,    // values of sections first..last changed, no point or section added or removed
        Points,    // points of sections first..last inserted or removed
        Sections,  // sections inserted or removed: every section from `first` on moved
    };
    Kind kind = Kind::Survey;
    int first = 0;  // sections, 1-based and inclusive; 0 for the whole survey
    int last = 0;
};

}  // namespace document
