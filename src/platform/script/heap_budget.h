#pragma once
// The bounds of one Duktape heap: its allocator counts the bytes it holds and refuses to go past
// the memory bound, and the executor's periodic check stops a call past its deadline. The budget is
// the heap's user data; the configuration of our Duktape build calls
// vt_script_deadline_passed(udata) from the bytecode executor.

#include <chrono>
#include <cstddef>

namespace vt {

struct HeapBudget {
    using Clock = std::chrono::steady_clock;

    std::size_t memoryBound = 0;
    std::size_t bytesHeld = 0;
    Clock::time_point deadline = Clock::time_point::max();
    // Set when a bound stopped something; the engine is spent from then on.
    bool memoryRefused = false;
    bool deadlinePassed = false;

    bool Exceeded() const { return memoryRefused || deadlinePassed; }
};

// The allocation functions handed to duk_create_heap, with a HeapBudget as user data.
void* BudgetAlloc(void* budget, std::size_t size);
void* BudgetRealloc(void* budget, void* block, std::size_t size);
void BudgetFree(void* budget, void* block);

}  // namespace vt

extern "C" int vt_script_deadline_passed(void* budget);
