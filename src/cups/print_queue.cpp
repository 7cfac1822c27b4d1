// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups/print_queue.h"

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "cups/connection.h"

namespace cups {

namespace {

constexpr std::initializer_list<const char*> kStateAndPaper = {
    "printer-state", "printer-is-accepting-jobs", "media-col-default"};

// Ready when the server answered, else why it could not be asked.
QueueState failureOf(Reach reach) {
    switch (reach) {
        case Reach::Answered:
            return QueueState::Ready;
        case Reach::NoServer:
            return QueueState::NoServer;
        case Reach::NoAnswer:
        case Reach::Abandoned:
            return QueueState::NoAnswer;
    }
    return QueueState::NoAnswer;
}

// The queue named in the environment, as libcups reads it: $LPDEST, else
// $PRINTER unless it is the traditional "lp".
std::string askedQueue() {
    if (const char* name = std::getenv("LPDEST"); name && *name) return name;
    if (const char* name = std::getenv("PRINTER"); name && *name && std::string(name) != "lp")
        return name;
    return {};
}

// Asks for attributes `wanted` of `queue`; null when the server could not be
// asked or has no such queue (cupsLastError() and the reach say which).
// libcups' own look-ups of a named queue go elsewhere when the server fails.
ipp_t* printerAttributes(Connection& server, const std::string& queue,
                         std::initializer_list<const char*> wanted) {
    if (!server.http()) return nullptr;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(wanted.size()), nullptr, wanted.begin());
    server.begin();
    ipp_t* response = cupsDoRequest(server.http(), request, "/");
    if (response && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return response;
    ippDelete(response);
    return nullptr;
}

QueueState stateOf(ipp_t* printer) {
    if (!ippGetBoolean(ippFindAttribute(printer, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN), 0))
        return QueueState::NotAccepting;
    if (ippGetInteger(ippFindAttribute(printer, "printer-state", IPP_TAG_ENUM), 0) ==
        IPP_PSTATE_STOPPED)
        return QueueState::Stopped;
    return QueueState::Ready;
}

// The state of a queue the server was asked about; Missing when it has none.
QueueState stateOf(Connection& server, ipp_t* printer) {
    if (printer) return stateOf(printer);
    const QueueState failure = failureOf(server.reach());
    return failure == QueueState::Ready ? QueueState::Missing : failure;
}

int member(ipp_t* collection, const char* name) {
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

Paper paperOf(ipp_t* printer) {
    ipp_t* media = ippGetCollection(
        ippFindAttribute(printer, "media-col-default", IPP_TAG_BEGIN_COLLECTION), 0);
    if (!media) return {};
    ipp_t* size =
        ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
    if (!size) return {};
    return {member(size, "x-dimension"),         member(size, "y-dimension"),
            member(media, "media-left-margin"),  member(media, "media-bottom-margin"),
            member(media, "media-right-margin"), member(media, "media-top-margin")};
}

bool hasKeyword(ipp_attribute_t* attribute, const char* keyword) {
    for (int k = 0; k < ippGetCount(attribute); ++k) {
        if (const char* value = ippGetString(attribute, k, nullptr);
            value && std::strcmp(value, keyword) == 0)
            return true;
    }
    return false;
}

JobReport reportOf(ipp_t* job) {
    const int state = ippGetInteger(ippFindAttribute(job, "job-state", IPP_TAG_ENUM), 0);
    switch (state) {
        case IPP_JSTATE_COMPLETED:
            return {JobState::Done, {}};
        case IPP_JSTATE_CANCELED:
        case IPP_JSTATE_ABORTED:
            return {JobState::Failed, {}};
        default:
            break;
    }
    // A queue whose filter or device failed stops (the default error policy)
    // and leaves the job pending with this reason: it would wait forever.
    const bool stopped =
        state == IPP_JSTATE_STOPPED ||
        hasKeyword(ippFindAttribute(job, "job-state-reasons", IPP_TAG_KEYWORD), "printer-stopped");
    if (!stopped) return {JobState::Waiting, {}};
    const char* words =
        ippGetString(ippFindAttribute(job, "job-printer-state-message", IPP_TAG_TEXT), 0, nullptr);
    return {JobState::Stuck, words ? words : ""};
}

}  // namespace

DefaultQueue defaultQueue(std::stop_token stop) {
    Connection server(std::move(stop));
    DefaultQueue queue;
    cups_dest_t* dests = nullptr;
    server.begin();
    const int count = server.http() ? cupsGetDests2(server.http(), &dests) : 0;
    if (const QueueState failure = failureOf(server.reach()); failure != QueueState::Ready) {
        queue.state = failure;
    } else if (cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests)) {
        queue.name = dest->name;
        ipp_t* printer = printerAttributes(server, queue.name, kStateAndPaper);
        queue.state = stateOf(server, printer);
        queue.paper = paperOf(printer);
        ippDelete(printer);
    } else if (std::string asked = askedQueue(); !asked.empty()) {
        queue.name = std::move(asked);
        queue.state = QueueState::Missing;
    }
    cupsFreeDests(count, dests);
    return queue;
}

QueueState queueState(const std::string& queue, std::stop_token stop) {
    Connection server(std::move(stop));
    ipp_t* printer = printerAttributes(server, queue, kStateAndPaper);
    const QueueState state = stateOf(server, printer);
    ippDelete(printer);
    return state;
}

Submission submitFile(const std::string& queue, const std::string& path, const std::string& title,
                      int copies, const std::string& media, std::stop_token stop) {
    // Sending the file takes longer than a question.
    Connection server(std::move(stop), std::chrono::seconds(10));
    if (!server.http()) return {0, QueueState::NoServer, {}};
    server.begin();
    cups_option_t* options = nullptr;
    int count = 0;
    if (copies > 1)
        count = cupsAddOption("copies", std::to_string(copies).c_str(), count, &options);
    // Without it the queue fits every page to its own paper: an A3 table on A4.
    if (!media.empty()) count = cupsAddOption("media", media.c_str(), count, &options);
    const int job =
        cupsPrintFile2(server.http(), queue.c_str(), path.c_str(), title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (job > 0) return {job, QueueState::Ready, {}};
    const char* words = cupsLastErrorString();
    return {0, failureOf(server.reach()), words ? words : "unknown"};
}

JobReport jobState(const std::string& queue, int id, std::stop_token stop) {
    Connection server(std::move(stop));
    if (!server.http()) return {JobState::NoServer, {}};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char* const wanted[] = {"job-state", "job-state-reasons",
                                         "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    server.begin();
    ipp_t* response = cupsDoRequest(server.http(), request, "/");
    if (const QueueState failure = failureOf(server.reach()); failure != QueueState::Ready) {
        ippDelete(response);
        return {failure == QueueState::NoServer ? JobState::NoServer : JobState::NoAnswer, {}};
    }
    const ipp_status_t status = cupsLastError();
    JobReport report{JobState::Forgotten, {}};
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE && response) report = reportOf(response);
    ippDelete(response);
    if (report.state != JobState::Forgotten) return report;
    // Deleting a queue deletes its jobs, finished ones and their history too.
    ipp_t* printer = printerAttributes(server, queue, {"printer-state"});
    if (!printer && server.reach() == Reach::Answered &&
        cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        report.state = JobState::QueueGone;
    ippDelete(printer);
    return report;
}

}  // namespace cups
