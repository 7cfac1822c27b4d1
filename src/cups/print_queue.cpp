#include "window/print_queue.h"

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace window {

namespace {

QString queueName(const std::string& queue) {
    return QString::fromStdString(queue);
}

std::string option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

QString queueProblem(const cups_dest_t& dest) {
    if (option(dest, "printer-is-accepting-jobs") == "false") {
        return QStringLiteral(
                   "默认打印机“%1”目前不接受打印任务，无法打印。"
                   "请在系统的打印机设置中让它接受任务后再打印。")
            .arg(queueName(dest.name));
    }
    if (option(dest, "printer-state") == "5") {  // stopped
        return QStringLiteral(
                   "默认打印机“%1”已停止，无法打印。"
                   "请在系统的打印机设置中恢复它后再打印。")
            .arg(queueName(dest.name));
    }
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
        queue.problem = QStringLiteral(
            "无法连接打印服务（CUPS），无法打印。"
            "请确认系统的打印服务已经启动。");
    } else if (const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests)) {
        queue.name = dest->name;
        queue.problem = queueProblem(*dest);
    } else {
        queue.problem = QStringLiteral(
            "没有设置默认打印机，无法打印。"
            "请先在系统中添加打印机并设为默认。");
    }
    cupsFreeDests(count, dests);
    return queue;
}

int newestJob(const std::string& queue) {
    int newest = 0;
    for (const Job& job : jobsOn(queue)) newest = std::max(newest, job.id);
    return newest;
}

QString jobProblem(const std::string& queue, int previousNewest) {
    const int id = newestJob(queue);
    if (id <= previousNewest) {
        return QStringLiteral(
                   "打印任务没有送到默认打印机“%1”，计算书没有打印。"
                   "请检查打印机后再打印。")
            .arg(queueName(queue));
    }
    // A job that fails usually does so while it is converted, within a moment;
    // a slow printer still printing after that is left to print.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(2);
    std::optional<ipp_jstate_t> state = jobState(queue, id);
    while (state && *state < IPP_JSTATE_CANCELED && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state = jobState(queue, id);
    }
    if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) {
        return QStringLiteral(
                   "默认打印机“%1”没有完成打印任务（任务已中止或被取消），"
                   "计算书没有打印出来。请检查打印机后再打印。")
            .arg(queueName(queue));
    }
    return {};
}

}  // namespace window
