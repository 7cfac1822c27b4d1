// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups/print_queue.h"

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

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

struct Job {
    int id;
    ipp_jstate_t state;
};

// This user's jobs on `queue`, finished ones included.
std::vector<Job> jobsOn(const std::string& queue) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 1, CUPS_WHICHJOBS_ALL);
    std::vector<Job> out;
    for (int k = 0; k < count; ++k) out.push_back({jobs[k].id, jobs[k].state});
    cupsFreeJobs(count, jobs);
    return out;
}

// The state of job `id` on `queue`, nothing when CUPS does not know it.
std::optional<ipp_jstate_t> jobState(const std::string& queue, int id) {
    for (const Job& job : jobsOn(queue)) {
        if (job.id == id) return job.state;
    }
    return std::nullopt;
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

int newestJob(const std::string& queue) {
    int newest = 0;
    for (const Job& job : jobsOn(queue)) newest = std::max(newest, job.id);
    return newest;
}

JobState watchJob(const std::string& queue, int previousNewest) {
    const int id = newestJob(queue);
    if (id <= previousNewest) return JobState::Lost;
    // A job that fails usually does so while it is converted, within a moment;
    // a slow printer still printing after that is left to print.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(2);
    std::optional<ipp_jstate_t> state = jobState(queue, id);
    while (state && *state < IPP_JSTATE_CANCELED && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state = jobState(queue, id);
    }
    if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) return JobState::Failed;
    return JobState::Going;
}

}  // namespace cups
