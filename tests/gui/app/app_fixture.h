#pragma once
// A main window wired to a temporary result directory, the real clipboard, and recordings of
// what leaves the shell: messages, started recognition jobs, capture and address calls.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <mutex>
#include <vector>

#include "app/main_window.h"
#include "platform/main_window_services.h"
#include "platform/process_values.h"
#include "platform/qt/clipboard_qt.h"

namespace vt::test {

struct Message {
    Text text;
    MessageIcon icon;
    Text title;
};

// Everything recorded from other threads is guarded; jobs run on detached threads and may
// outlive a test, so the recording is shared with them.
struct Recording {
    std::mutex mutex;
    std::vector<Message> messages;
    std::vector<std::pair<int, Bytes>> jobs;  // mode and the imageBytes the job would send
    std::vector<Text> fetchedAddresses;
    int checkTokenRuns = 0;

    std::vector<Message> Messages();
    std::vector<std::pair<int, Bytes>> Jobs();
};

class AppFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Waits (handling events) until `count` jobs have started; false after five seconds.
    bool WaitForJobs(size_t count);

    QTemporaryDir directory;
    ProcessValues values;
    QtClipboard clipboard;
    std::shared_ptr<Recording> recording = std::make_shared<Recording>();
    // What the fake capture returns and hands over, and what the address fetch returns.
    int captureResult = 1;
    Bytes capturedBmp;
    Bytes fetchedBody;
    bool windowVisibleDuringCapture = true;
    std::unique_ptr<MainWindow> window;
};

// Encoded test pictures.
Bytes PngBytes(int width, int height, QRgb colour);
Bytes BmpBytes(int width, int height, QRgb colour);
bool IsJpeg(const Bytes& bytes);

}  // namespace vt::test
