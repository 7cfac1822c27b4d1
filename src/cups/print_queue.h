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

// The state of a queue chosen by name (Missing when there is none).
QueueState queueState(const std::string& queue);

// Hands a print-ready file (PDF) to `queue` as one job named `title`: the id
// CUPS gives the job, or 0 with the reason when it refused the job.
struct Submission {
    int job = 0;
    std::string error;
};
Submission submitFile(const std::string& queue, const std::string& path, const std::string& title);

enum class JobState {
    Waiting,  // pending, held, printing or stopped for a while
    Done,     // printed; also when the server keeps no history of finished jobs
    Failed,   // aborted or cancelled
};

// What became of job `id` on `queue`. Only this job is looked at, never
// another program's job on the same queue.
JobState jobState(const std::string& queue, int id);

}  // namespace cups
