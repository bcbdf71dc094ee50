#pragma once
// The modal message box: fixed text, one OK button, no owner window. It blocks only the thread
// that shows it, until the user has confirmed it.

#include <functional>

#include "platform/main_window_services.h"
#include "text/text.h"

namespace vt {

// Shows `text` (code-page-936 text; CR LF breaks lines) with the icon style and `title`, or the
// title "信息：" when `title` is empty, and returns when the user has confirmed it. Callable from
// any thread; the GUI thread keeps handling events meanwhile. Returns at once, showing nothing,
// once the GUI calls are shut down.
void ShowMessageBox(const Text& text, MessageIcon icon, const Text& title = {});

// Receives every message instead of the screen while installed: tests record and confirm
// messages here. The title arrives with the default already applied. Pass {} to remove it.
using MessageBoxHook = std::function<void(const Text& text, MessageIcon icon, const Text& title)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace vt
