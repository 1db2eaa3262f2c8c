#include "release/current_release_data.h"

#include <mutex>
#include <utility>

namespace zarn {
namespace {

std::mutex& Guard() {
    static std::mutex guard;
    return guard;
}

// Never destroyed: a module is unloaded under its platform's loader lock, where no call into
// the host's objects may happen. The module empties the slot at its shut-down instead.
std::shared_ptr<host::IReleaseData>& Slot() {
    static auto* slot = new std::shared_ptr<host::IReleaseData>;
    return *slot;
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
