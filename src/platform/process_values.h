#pragma once
// The values that the GUI thread and the worker threads share for the whole run. Each is read as
// one consistent snapshot: a writer replaces the whole value, a reader keeps the value it took
// even while another thread sets a new one.

#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

#include "text/text.h"

namespace vt {

template <typename T>
class SharedValue {
  public:
    // The current value; it stays valid and unchanged for as long as the caller holds it.
    std::shared_ptr<const T> Snapshot() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    T Get() const { return *Snapshot(); }
    void Set(T value) {
        auto replacement = std::make_shared<const T>(std::move(value));
        std::lock_guard lock(mutex_);
        value_.swap(replacement);
    }

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<const T> value_ = std::make_shared<const T>();
};

// The fixed device identifier sent with every recognition request.
inline constexpr std::string_view kDeviceIdentifier = "7c2e9b14-5f03-4e7c-b6c1-0d9f4c37a25e";

// Created empty at start and kept until the process ends.
struct ProcessValues {
    SharedValue<Text> accessToken;  // set by the token store, read by recognition jobs
    SharedValue<Text> deviceId;     // set once to kDeviceIdentifier when the main window exists
    SharedValue<Bytes> imageBytes;  // set by the capture and load-image commands
};

}  // namespace vt
