#pragma once
// A private JavaScript engine that holds script state between calls, in place of the Windows
// script control. Every call runs its text in the engine's global scope; a text that fails (syntax
// error, exception, a sandbox bound) yields the empty result of its kind and leaves nothing behind
// but what it did before failing. Texts cross in code page 936.

#include <functional>
#include <memory>

#include "text/text.h"

namespace vt {

class ScriptEngine {
  public:
    virtual ~ScriptEngine() = default;

    // Adds script code (declarations, statements) to the global scope.
    virtual void AddCode(const Text& code) = 0;
    // Evaluates `code` for its effect; the value is not wanted.
    virtual void Eval(const Text& code) = 0;
    // Evaluates `code` and converts its value: undefined and null give the empty text.
    virtual Text EvalText(const Text& code) = 0;
    // Evaluates `code` and converts its value to a number; undefined, null and NaN give 0.
    virtual double EvalNumber(const Text& code) = 0;
    // Evaluates `code` and gives the truth of its value.
    virtual bool EvalBoolean(const Text& code) = 0;
};

// Makes one new, independent engine; a null result means no engine could be made. Called on the
// thread that will use the engine.
using ScriptEngineFactory = std::function<std::unique_ptr<ScriptEngine>()>;

}  // namespace vt
