#include "platform/script/heap_budget.h"

#include <cstddef>
#include <cstdlib>

namespace vt {
namespace {

// Every block carries its size in a header, so freeing can give the bytes back to the budget.
constexpr std::size_t kHeader = alignof(std::max_align_t);

HeapBudget& BudgetOf(void* budget) {
    return *static_cast<HeapBudget*>(budget);
}
std::size_t& SizeOf(void* block) {
    return *reinterpret_cast<std::size_t*>(static_cast<char*>(block) - kHeader);
}

bool Admit(HeapBudget& budget, std::size_t released, std::size_t wanted) {
    if (wanted > budget.memoryBound || budget.bytesHeld - released > budget.memoryBound - wanted) {
        budget.memoryRefused = true;
        return false;
    }
    return true;
}

}  // namespace

void* BudgetAlloc(void* budget, std::size_t size) {
    HeapBudget& b = BudgetOf(budget);
    if (!Admit(b, 0, size)) return nullptr;
    char* raw = static_cast<char*>(std::malloc(kHeader + size));
    if (!raw) return nullptr;
    b.bytesHeld += size;
    void* block = raw + kHeader;
    SizeOf(block) = size;
    return block;
}

void* BudgetRealloc(void* budget, void* block, std::size_t size) {
    if (!block) return BudgetAlloc(budget, size);
    if (size == 0) {
        BudgetFree(budget, block);
        return nullptr;
    }
    HeapBudget& b = BudgetOf(budget);
    const std::size_t old = SizeOf(block);
    if (!Admit(b, old, size)) return nullptr;
    char* raw =
        static_cast<char*>(std::realloc(static_cast<char*>(block) - kHeader, kHeader + size));
    if (!raw) return nullptr;
    b.bytesHeld = b.bytesHeld - old + size;
    void* moved = raw + kHeader;
    SizeOf(moved) = size;
    return moved;
}

void BudgetFree(void* budget, void* block) {
    if (!block) return;
    BudgetOf(budget).bytesHeld -= SizeOf(block);
    std::free(static_cast<char*>(block) - kHeader);
}

}  // namespace vt

extern "C" int vt_script_deadline_passed(void* budget) {
    vt::HeapBudget& b = *static_cast<vt::HeapBudget*>(budget);
    if (vt::HeapBudget::Clock::now() >= b.deadline) b.deadlinePassed = true;
    return b.deadlinePassed ? 1 : 0;
}
