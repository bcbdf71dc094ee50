#include "app_fixture.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

#include "platform/qt/message_box.h"

namespace vt::test {

std::vector<Message> Recording::Messages() {
    std::lock_guard lock(mutex);
    return messages;
}

std::vector<std::pair<int, Bytes>> Recording::Jobs() {
    std::lock_guard lock(mutex);
    return jobs;
}

void AppFixture::SetUp() {
    ASSERT_TRUE(directory.isValid());
    SetMessageBoxHook(
        [recording = recording](const Text& text, MessageIcon icon, const Text& title) {
            std::lock_guard lock(recording->mutex);
            recording->messages.push_back({text, icon, title});
        });
    ShellServices services;
    services.values = &values;
    services.clipboard = &clipboard;
    services.resultDirectory = directory.path().toStdString();
    services.startCapture = [this] {
        windowVisibleDuringCapture = window->isVisible();
        return captureResult;
    };
    services.capturedBmp = [this] { return capturedBmp; };
    services.recognitionJob = [recording = recording, values = &values](int mode) {
        // The job reads imageBytes on its own thread, as the real one does.
        Bytes image = values->imageBytes.Get();
        std::lock_guard lock(recording->mutex);
        recording->jobs.emplace_back(mode, std::move(image));
    };
    services.fetchAddress = [this](const Text& url) {
        std::lock_guard lock(recording->mutex);
        recording->fetchedAddresses.push_back(url);
        return fetchedBody;
    };
    services.checkToken = [recording = recording] {
        std::lock_guard lock(recording->mutex);
        ++recording->checkTokenRuns;
    };
    window = std::make_unique<MainWindow>(services);
    window->show();
}

void AppFixture::TearDown() {
    SetMessageBoxHook({});
    if (window->Viewer()) window->Viewer()->close();
    // Let queued work of this test finish before the window goes.
    QTest::qWait(20);
    window.reset();
}

bool AppFixture::WaitForJobs(size_t count) {
    return QTest::qWaitFor([&] { return recording->Jobs().size() >= count; }, 5000);
}

namespace {

Bytes Encode(int width, int height, QRgb colour, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return Bytes(data.begin(), data.end());
}

}  // namespace

Bytes PngBytes(int width, int height, QRgb colour) {
    return Encode(width, height, colour, "png");
}
Bytes BmpBytes(int width, int height, QRgb colour) {
    return Encode(width, height, colour, "bmp");
}

bool IsJpeg(const Bytes& bytes) {
    return bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

}  // namespace vt::test
