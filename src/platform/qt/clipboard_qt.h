#pragma once
// The clipboard on QClipboard (X11 CLIPBOARD selection, or the offscreen platform's own).

#include "platform/clipboard.h"

namespace vt {

class QtClipboard final : public Clipboard {
  public:
    void SetText(const Text& text) override;
    Text GetText() override;
    void SetPicture(const ClipboardPicture& picture) override;
    void Clear() override;
    Bytes GetDib() override;
};

}  // namespace vt
