#pragma once
// InOut<T>: an in/out or out argument that the caller may leave out.

namespace vt {

// Binds to the caller's variable, which the routine then reads and overwrites; when the caller
// leaves the argument out, the routine works on a value of its own that starts as T{} and is
// dropped afterwards. `Given()` tells the two apart for routines where that matters.
template <typename T>
class InOut {
  public:
    InOut() = default;
    InOut(T& variable) : variable_(&variable) {}  // NOLINT: binds implicitly, like a reference

    T& operator*() { return variable_ ? *variable_ : own_; }
    T* operator->() { return &**this; }
    bool Given() const { return variable_ != nullptr; }

  private:
    T* variable_ = nullptr;
    T own_{};
};

}  // namespace vt
