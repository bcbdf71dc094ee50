#pragma once
// Keeping the clipboard text alive after the program ends.

namespace vt {

// On X11 the clipboard content lives in the program that owns it. When this program owns the
// clipboard and a clipboard manager runs, asks the manager to take a copy, handling the
// manager's requests, and returns when it has done so or after `timeoutMs`. Does nothing on
// other platforms or without a manager. GUI thread, with the event loop no longer running.
void HandClipboardToManager(int timeoutMs);

}  // namespace vt
