#include "capture/capture_state.h"

#include <memory>

namespace vt {

SelectionPhase PhaseOf(const CaptureState& state) {
    if (state.selectionFixed) {
        return state.dragging ? SelectionPhase::kAdjusting : SelectionPhase::kFixed;
    }
    return state.dragging ? SelectionPhase::kDrawing : SelectionPhase::kIdle;
}

void ResetSelectionState(CaptureState& state) {
    state.selectionFixed = false;
    state.dragging = false;
    state.operationLatched = false;
    state.resetPending = false;
    state.captureResult = 0;
    state.selection = {-5, -5, -5, -5};
}

namespace {
std::unique_ptr<CaptureState> processCaptureState;
}  // namespace

void CreateCaptureState() {
    processCaptureState = std::make_unique<CaptureState>();
}

void ReleaseCaptureState() {
    processCaptureState.reset();
}

CaptureState& TheCaptureState() {
    if (!processCaptureState) CreateCaptureState();
    return *processCaptureState;
}

}  // namespace vt
