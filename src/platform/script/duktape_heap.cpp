#include "platform/script/duktape_heap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "duktape.h"
#include "platform/script/sandbox_script.h"

namespace vt {
namespace {

using Clock = HeapBudget::Clock;

// Duktape calls this only for an error outside every protected call, which this file never
// makes; there is no way to go on from it.
void OnFatal(void*, const char* message) {
    std::fprintf(stderr, "script engine: fatal error: %s\n", message ? message : "");
    std::abort();
}

// Conversions that may run script (toString, valueOf), made inside a protected call.
duk_ret_t ToText(duk_context* ctx, void*) {
    duk_to_string(ctx, -1);
    return 1;
}
duk_ret_t ToNumber(duk_context* ctx, void*) {
    duk_to_number(ctx, -1);
    return 1;
}

// Converts the value on top of the stack.
ScriptValue Convert(duk_context* ctx, Want want) {
    ScriptValue value;
    if (want == Want::Boolean) value.truth = duk_to_boolean(ctx, -1);
    if (want == Want::Nothing || want == Want::Boolean || duk_is_null_or_undefined(ctx, -1)) {
        return value;
    }
    if (want == Want::Text && duk_safe_call(ctx, ToText, nullptr, 1, 1) == DUK_EXEC_SUCCESS) {
        duk_size_t length = 0;
        const char* utf8 = duk_get_lstring(ctx, -1, &length);
        value.utf8.assign(utf8, length);
    }
    if (want == Want::Number && duk_safe_call(ctx, ToNumber, nullptr, 1, 1) == DUK_EXEC_SUCCESS) {
        value.number = duk_get_number(ctx, -1);
        if (std::isnan(value.number)) value.number = 0;
    }
    return value;
}

}  // namespace

DuktapeHeap::DuktapeHeap(const ScriptLimits& limits) : limits_(limits) {
    budget_.memoryBound = limits.memoryBound;
    ctx_ = duk_create_heap(BudgetAlloc, BudgetRealloc, BudgetFree, &budget_, OnFatal);
    ScriptValue ignored;
    if (ctx_ && !Evaluate(kSandboxScript, Want::Nothing, ignored)) Release();
}

DuktapeHeap::~DuktapeHeap() {
    Release();
}

ScriptValue DuktapeHeap::Run(std::string_view source, Want want) {
    ScriptValue value;
    Evaluate(source, want, value);
    return value;
}

bool DuktapeHeap::Evaluate(std::string_view source, Want want, ScriptValue& value) {
    if (!ctx_) return false;
    const Clock::time_point start = Clock::now();
    budget_.deadline =
        start + std::min<Clock::duration>(limits_.callBudget, limits_.engineBudget - used_);
    const bool ok = duk_peval_lstring(ctx_, source.data(), source.size()) == 0;
    if (ok) value = Convert(ctx_, want);
    duk_set_top(ctx_, 0);
    used_ += Clock::now() - start;
    budget_.deadline = Clock::time_point::max();
    if (budget_.Exceeded() || used_ >= limits_.engineBudget) {
        Release();
        value = {};
        return false;
    }
    return ok;
}

void DuktapeHeap::Release() {
    if (ctx_) duk_destroy_heap(ctx_);
    ctx_ = nullptr;
}

}  // namespace vt
