// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What CUPS says about the default printer and about a print job. Qt's printer
// classes cannot tell a stopped or rejecting queue from a working one, and a
// job the queue refuses vanishes without a word; libcups can tell. Every call
// asks over a connection of its own with short timeouts (see connection.h), so
// none waits long on a server that does not answer; run them off the window's
// thread all the same.

#include <stop_token>
#include <string>

namespace cups {

enum class QueueState {
    Ready,         // takes jobs
    NoServer,      // nothing answers at the server's address
    NoAnswer,      // the server takes connections but does not answer
    NoDefault,     // no queue is the default
    Missing,       // the queue asked for ($LPDEST, $PRINTER) does not exist
    NotAccepting,  // the queue rejects jobs
    Stopped,       // the queue is disabled
};

// A queue's default paper, in hundredths of a millimetre; all zero when the
// queue does not say.
struct Paper {
    int width = 0;
    int length = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
};

struct DefaultQueue {
    std::string name;  // empty when there is none; the name asked for when Missing
    QueueState state = QueueState::NoDefault;
    Paper paper;  // when Ready
};

// The destination CUPS takes as the default: $LPDEST or $PRINTER, else the
// user's or the system's default.
DefaultQueue defaultQueue(std::stop_token stop = {});

// The state of a queue chosen by name (Missing when there is none).
QueueState queueState(const std::string& queue, std::stop_token stop = {});

// Hands a print-ready file (PDF) to `queue` as one job named `title`, of
// `copies` copies, on paper `media` ("A3"; empty: the queue's own): the id
// CUPS gives the job, or 0 with what went wrong.
struct Submission {
    int job = 0;
    QueueState problem = QueueState::Ready;  // NoServer or NoAnswer when the server failed
    std::string error;                       // libcups' words when the job was refused
};
Submission submitFile(const std::string& queue, const std::string& path, const std::string& title,
                      int copies = 1, const std::string& media = {}, std::stop_token stop = {});

// What CUPS confirms about a job. Only this job is looked at, never another
// program's job on the same queue.
enum class JobState {
    Waiting,    // pending, held or printing
    Done,       // completed: the server says it has printed
    Failed,     // aborted or cancelled
    Stuck,      // stopped, or waiting on a queue that has stopped (a filter or the device failed)
    Forgotten,  // the server no longer knows the job (no job history, or purged)
    QueueGone,  // the job is unknown and so is its queue: the queue was deleted
    NoServer,   // the server cannot be asked
    NoAnswer,   // the server does not answer
};

struct JobReport {
    JobState state = JobState::Waiting;
    std::string printerMessage;  // the queue's own words when Stuck, such as "paper jam"
};

JobReport jobState(const std::string& queue, int id, std::stop_token stop = {});

}  // namespace cups
