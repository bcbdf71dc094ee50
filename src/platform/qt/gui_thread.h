#pragma once
// Running work on the GUI thread from any thread. Widgets may only be touched on the thread
// that runs the Qt event loop; worker threads hand their widget work to it through here.

#include <functional>

namespace vt {

// True on the thread that runs the Qt event loop.
bool OnGuiThread();

// Runs `task` on the GUI thread and returns when it has run: directly when called there,
// otherwise queued to the event loop while the caller waits. Returns false, without running
// `task`, once the GUI calls have been shut down; a caller waiting at that moment is woken.
bool RunOnGuiThread(const std::function<void()>& task);

// Queues `task` for the GUI thread and returns at once. Dropped after the shutdown.
void PostToGuiThread(std::function<void()> task);

// Ends all marshalling for good: queued tasks that have not run yet are dropped, their callers
// are woken, and later calls run nothing. Called on the GUI thread when the program ends, so
// that worker threads that outlive the main window never reach a widget.
void ShutDownGuiCalls();
bool GuiCallsShutDown();

// Starts `routine` on a new detached thread; nobody waits for it.
void StartDetached(std::function<void()> routine);

}  // namespace vt
