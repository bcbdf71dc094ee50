#pragma once
// One Duktape heap with its bounds, used on one thread. Runs UTF-8 sources in the global scope
// and converts their values; a heap that ran into a bound releases itself and is spent.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/script/heap_budget.h"
#include "platform/script/sandboxed_script_engine.h"

struct duk_hthread;

namespace vt {

enum class Want { Nothing, Text, Number, Boolean };

// The converted value of a run; all empty when the run failed.
struct ScriptValue {
    std::string utf8;
    double number = 0;
    bool truth = false;
};

class DuktapeHeap {
  public:
    // Creates the heap and runs the sandbox script in it.
    explicit DuktapeHeap(const ScriptLimits& limits);
    ~DuktapeHeap();
    DuktapeHeap(const DuktapeHeap&) = delete;
    DuktapeHeap& operator=(const DuktapeHeap&) = delete;

    ScriptValue Run(std::string_view source, Want want);
    bool Spent() const { return ctx_ == nullptr; }

  private:
    // False when the source failed or a bound stopped it; `value` is set only on success.
    bool Evaluate(std::string_view source, Want want, ScriptValue& value);
    void Release();

    ScriptLimits limits_;
    HeapBudget budget_;
    duk_hthread* ctx_ = nullptr;
    HeapBudget::Clock::duration used_{};
};

}  // namespace vt
