#include "service/engine_pool.h"

#include <exception>
#include <thread>

namespace vt::ocrd {

EnginePool::EnginePool(std::size_t count, const std::string& languages) {
    std::vector<std::unique_ptr<OcrEngine>> engines(count);
    std::vector<std::exception_ptr> errors(count);
    {
        std::vector<std::jthread> loaders;
        for (std::size_t i = 0; i < count; ++i) {
            loaders.emplace_back([&, i] {
                try {
                    engines[i] = std::make_unique<OcrEngine>(languages);
                } catch (...) {
                    errors[i] = std::current_exception();
                }
            });
        }
    }
    for (const auto& error : errors) {
        if (error) std::rethrow_exception(error);
    }
    idle_ = std::move(engines);
}

EnginePool::Lease::Lease(EnginePool& pool, std::unique_ptr<OcrEngine> engine)
    : pool_(pool), engine_(std::move(engine)) {}

EnginePool::Lease::~Lease() {
    pool_.Return(std::move(engine_));
}

EnginePool::Lease EnginePool::Acquire() {
    std::unique_lock lock(mutex_);
    returned_.wait(lock, [this] { return !idle_.empty(); });
    std::unique_ptr<OcrEngine> engine = std::move(idle_.back());
    idle_.pop_back();
    return Lease(*this, std::move(engine));
}

void EnginePool::Return(std::unique_ptr<OcrEngine> engine) {
    {
        std::lock_guard lock(mutex_);
        idle_.push_back(std::move(engine));
    }
    returned_.notify_one();
}

}  // namespace vt::ocrd
