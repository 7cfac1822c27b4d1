// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups/print_queue.h"

#include <cups/cups.h>

#include <cstdlib>
#include <utility>

namespace cups {

namespace {

std::string option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

QueueState stateOf(const cups_dest_t& dest) {
    if (option(dest, "printer-is-accepting-jobs") == "false") return QueueState::NotAccepting;
    if (option(dest, "printer-state") == "5") return QueueState::Stopped;
    return QueueState::Ready;
}

// The queue named in the environment, as libcups reads it: $LPDEST, else
// $PRINTER unless it is the traditional "lp".
std::string askedQueue() {
    if (const char* name = std::getenv("LPDEST"); name && *name) return name;
    if (const char* name = std::getenv("PRINTER"); name && *name && std::string(name) != "lp")
        return name;
    return {};
}

}  // namespace

DefaultQueue defaultQueue() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    DefaultQueue queue;
    if (count == 0 && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        queue.state = QueueState::NoServer;
    } else if (const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests)) {
        queue.name = dest->name;
        queue.state = stateOf(*dest);
    } else if (std::string asked = askedQueue(); !asked.empty()) {
        queue.name = std::move(asked);
        queue.state = QueueState::Missing;
    }
    cupsFreeDests(count, dests);
    return queue;
}

QueueState queueState(const std::string& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (!dest) {
        return cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ? QueueState::NoServer
                                                                       : QueueState::Missing;
    }
    const QueueState state = stateOf(*dest);
    cupsFreeDests(1, dest);
    return state;
}

Submission submitFile(const std::string& queue, const std::string& path, const std::string& title) {
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), path.c_str(), title.c_str(), 0, nullptr);
    if (job > 0) return {job, {}};
    return {0, cupsLastErrorString() ? cupsLastErrorString() : "unknown"};
}

JobState jobState(const std::string& queue, int id) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 1, CUPS_WHICHJOBS_ALL);
    // A job the server no longer lists has finished: a server without job
    // history forgets a job as soon as it is printed.
    JobState state = JobState::Done;
    for (int k = 0; k < count; ++k) {
        if (jobs[k].id != id) continue;
        if (jobs[k].state == IPP_JSTATE_CANCELED || jobs[k].state == IPP_JSTATE_ABORTED)
            state = JobState::Failed;
        else if (jobs[k].state != IPP_JSTATE_COMPLETED)
            state = JobState::Waiting;
    }
    cupsFreeJobs(count, jobs);
    return state;
}

}  // namespace cups
