#pragma once
// What CUPS says about the default printer and about the sheet's print job.
// Qt's printer classes cannot tell a stopped or rejecting queue from a working
// one, and a job the queue refuses vanishes without a word; libcups can tell.

#include <QString>
#include <string>

namespace window {

struct DefaultQueue {
    std::string name;  // empty when there is none
    QString problem;   // why the sheet cannot go to it; empty when it takes jobs
};

// The destination CUPS takes as the default: $PRINTER, else the user's or the
// system's default.
DefaultQueue defaultQueue();

// The id of this user's newest job on `queue`, 0 when there is none.
int newestJob(const std::string& queue);

// Called right after a job was handed to `queue`: a message when no job newer
// than `previousNewest` arrived or the queue aborted or cancelled it; empty
// when it is printing or printed.
QString jobProblem(const std::string& queue, int previousNewest);

}  // namespace window
