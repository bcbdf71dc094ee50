#pragma once
// The script every engine runs before anything else: it takes away what reaches past the
// language and guards the builtins that could run unchecked for long.

namespace vt {

inline constexpr char kSandboxScript[] = R"JS((function (global) {
    // Duktape's own object reaches into the heap: collector, finalizers, call stack, internals.
    delete global.Duktape;
    // The array builtins loop over `length` in native code, where the time budget is not
    // checked, so an empty array with a huge length could keep one busy for minutes. They refuse
    // lengths that no answer within the size bound can produce.
    var proto = Array.prototype, limit = 4194304;
    Object.getOwnPropertyNames(proto).forEach(function (name) {
        var method = proto[name];
        if (name === 'constructor' || typeof method !== 'function') return;
        proto[name] = function () {
            if (this != null && this.length >>> 0 > limit) throw new RangeError('array too long');
            return method.apply(this, arguments);
        };
    });
})(this);
)JS";

}  // namespace vt
