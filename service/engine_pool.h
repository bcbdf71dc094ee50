#pragma once
// A fixed set of warm OCR engines shared by the request threads.

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "service/ocr_engine.h"

namespace vt::ocrd {

class EnginePool {
  public:
    // Loads `count` engines for `languages` side by side; throws std::runtime_error when the
    // models cannot be loaded.
    EnginePool(std::size_t count, const std::string& languages);

    // An engine for one request; it goes back to the pool when the lease ends.
    class Lease {
      public:
        Lease(EnginePool& pool, std::unique_ptr<OcrEngine> engine);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        OcrEngine& operator*() const { return *engine_; }
        OcrEngine* operator->() const { return engine_.get(); }

      private:
        EnginePool& pool_;
        std::unique_ptr<OcrEngine> engine_;
    };

    // Waits until an engine is free.
    Lease Acquire();

  private:
    void Return(std::unique_ptr<OcrEngine> engine);

    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<OcrEngine>> idle_;
};

}  // namespace vt::ocrd
