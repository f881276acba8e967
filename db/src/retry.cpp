#include "db/retry.h"

#include "db/faults.h"

#include <algorithm>
#include <random>
#include <thread>

namespace db {

std::chrono::milliseconds pauseAfter(int failedAttempt, const RetryPolicy& policy) {
    thread_local std::minstd_rand random{std::random_device{}()};
    const int doublings = std::clamp(failedAttempt - 1, 0, 20);
    const long long ceiling =
        std::min<long long>(policy.longestPause.count(), policy.firstPause.count() * (1LL << doublings));
    if (ceiling <= 0) return std::chrono::milliseconds{0};
    return std::chrono::milliseconds{std::uniform_int_distribution<long long>(0, ceiling)(random)};
}

void sleepFor(std::chrono::milliseconds pause) {
    if (pause.count() > 0) std::this_thread::sleep_for(pause);
}

Error userError(const Connection& connection, const Error& error) {
    switch (error.kind()) {
    case ErrorKind::DiskFull:
        return Error(diskFullMessage(connection.alias(), describe(connection.target())), error.kind());
    case ErrorKind::ReadOnly:
        return Error(readOnlyMessage(connection.alias(), describe(connection.target())), error.kind());
    default:
        return error;
    }
}

} // namespace db
