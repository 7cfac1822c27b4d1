// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What CUPS says about the default printer and about a print job. Qt's printer
// classes cannot tell a stopped or rejecting queue from a working one, and a
// job the queue refuses vanishes without a word; libcups can tell.

#include <string>

namespace cups {

enum class QueueState {
    Ready,         // takes jobs
    NoServer,      // the scheduler does not answer
    NoDefault,     // no queue is the default
    Missing,       // the queue asked for ($LPDEST, $PRINTER) does not exist
    NotAccepting,  // the queue rejects jobs
    Stopped,       // the queue is disabled
};

struct DefaultQueue {
    std::string name;  // empty when there is none; the name asked for when Missing
    QueueState state = QueueState::NoDefault;
};

// The destination CUPS takes as the default: $LPDEST or $PRINTER, else the
// user's or the system's default.
DefaultQueue defaultQueue();

// The id of this user's newest job on `queue`, 0 when there is none.
int newestJob(const std::string& queue);

enum class JobState {
    Going,   // printing, printed, or still on its way after the watch
    Lost,    // no job newer than the one before arrived
    Failed,  // the queue aborted or cancelled it
};

// Called right after a job was handed to `queue`: watches it for a moment.
JobState watchJob(const std::string& queue, int previousNewest);

}  // namespace cups
