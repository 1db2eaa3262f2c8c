#include "release/current_release_data.h"

#include <mutex>
#include <utility>

namespace zarn {
namespace {

std::mutex& Guard() {
    static std::mutex guard;
    return guard;
}

std::shared_ptr<host::IReleaseData>& Slot() {
    static std::shared_ptr<host::IReleaseData> slot;
    return slot;
}

}  // namespace

void CurrentReleaseData::Set(std::shared_ptr<host::IReleaseData> data) {
    std::shared_ptr<host::IReleaseData> previous;
    {
        std::lock_guard<std::mutex> lock(Guard());
        previous = std::exchange(Slot(), std::move(data));
    }
    // The previous object is released outside the lock: releasing a host object may call back.
}

void CurrentReleaseData::Clear() {
    Set(nullptr);
}

std::shared_ptr<host::IReleaseData> CurrentReleaseData::Get() {
    std::lock_guard<std::mutex> lock(Guard());
    return Slot();
}

}  // namespace zarn
