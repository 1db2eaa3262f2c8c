#pragma once

#include <memory>

#include "host/capture_host.h"

namespace zarn {

// The module-wide reference to the release data most recently handed to any release script;
// the release log writes to it. Script instances on different threads share it, so every
// access is guarded: one instance can never free the object while another is logging to it.
class CurrentReleaseData {
  public:
    static void Set(std::shared_ptr<host::IReleaseData> data);
    static void Clear();
    static std::shared_ptr<host::IReleaseData> Get();
};

}  // namespace zarn
