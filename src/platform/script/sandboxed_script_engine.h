#pragma once
// The program's script engine: a Duktape heap of its own per engine, run on a thread of its own.
// The heap has only the language's objects (no host objects, no I/O). Every call runs under a
// time budget, which the bytecode executor enforces; the heap allocates within a hard memory
// bound; and no caller waits longer than the budget and a second's grace, even when a builtin
// works on in native code: the engine is then given up and its thread left to finish alone. An
// engine that ran into a bound is spent: its heap is released and every later call yields the
// empty result at once. Engines share nothing, so a hostile script affects only its own engine.
// Needs no event loop and no QCoreApplication; each engine is used by one caller at a time.

#include <chrono>
#include <cstddef>
#include <memory>

#include "platform/script_engine.h"

namespace vt {

struct ScriptLimits {
    // Time one AddCode or Eval may run, conversion of its value included.
    std::chrono::milliseconds callBudget{3000};
    // Time all calls of one engine may run together.
    std::chrono::milliseconds engineBudget{10000};
    // Bytes the engine's heap may hold at once.
    std::size_t memoryBound = std::size_t{512} << 20;
};

std::unique_ptr<ScriptEngine> MakeSandboxedScriptEngine(const ScriptLimits& limits = {});

// Engines whose caller gave up on a call that overran its budget, and whose threads still run
// it. No new engine is made while there are two; they end by themselves.
int AbandonedEnginesRunning();

// A factory that makes sandboxed engines with `limits`.
ScriptEngineFactory SandboxedScriptEngines(const ScriptLimits& limits = {});

}  // namespace vt
