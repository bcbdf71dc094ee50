#pragma once
// What the main window's commands use besides its own controls. The program wires the real
// modules (main.cpp); tests wire their own.

#include <filesystem>
#include <functional>

#include "platform/clipboard.h"
#include "platform/process_values.h"
#include "text/text.h"

namespace vt {

struct ShellServices {
    ProcessValues* values = nullptr;
    Clipboard* clipboard = nullptr;
    // Where the save command writes its result files: the program directory.
    std::filesystem::path resultDirectory;
    // StartCapture with the shell's arguments: 1 when a selection is on the clipboard, 0 when
    // the capture was cancelled.
    std::function<int()> startCapture;
    // The BMP file bytes of the picture on the clipboard (ClipboardDibToBmp); empty when none.
    std::function<Bytes()> capturedBmp;
    // The recognition job in mode 1 (imageBytes) or 2 (the address in the box url). Runs on a
    // new worker thread of its own.
    std::function<void(int mode)> recognitionJob;
    // The body of a GET of an image address (InetClient); empty on failure. Blocks.
    std::function<Bytes(const Text& url)> fetchAddress;
    // The token check at start. Runs on a new worker thread of its own.
    std::function<void()> checkToken;
};

}  // namespace vt
