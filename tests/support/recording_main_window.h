#pragma once
// A headless main window for tests of the worker routines: it keeps control texts, records
// messages, appends, progress and timer changes in the order they happen, confirms every message
// at once, and runs started routines on real threads that the test can wait for.

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/main_window_services.h"
#include "text/codepage.h"

namespace vt::test {

struct RecordedMessage {
    std::string text;  // UTF-8
    MessageIcon icon;
    std::string title;  // UTF-8

    bool operator==(const RecordedMessage&) const = default;
};

class RecordingMainWindow : public MainWindowServices {
  public:
    ~RecordingMainWindow() override { JoinThreads(); }

    Text ControlText(std::string_view control) override {
        std::lock_guard lock(mutex_);
        return texts_[std::string(control)];
    }
    void SetControlText(std::string_view control, const Text& text) override {
        std::lock_guard lock(mutex_);
        texts_[std::string(control)] = text;
    }
    void AppendControlText(std::string_view control, const Text& text) override {
        std::lock_guard lock(mutex_);
        texts_[std::string(control)] += text;
        appends_.push_back(text);
    }
    void SetProgressPosition(int position) override {
        std::lock_guard lock(mutex_);
        events_.push_back("progress " + std::to_string(position));
    }
    void SetTimerPeriod(int milliseconds) override {
        std::lock_guard lock(mutex_);
        events_.push_back("timer " + std::to_string(milliseconds));
    }
    void ShowMessage(const Text& text, MessageIcon icon, const Text& title) override {
        std::lock_guard lock(mutex_);
        messages_.push_back({Cp936ToUtf8(text), icon, Cp936ToUtf8(title)});
        events_.push_back("message " + messages_.back().text);
    }
    void DestroyMainWindow() override {
        std::lock_guard lock(mutex_);
        events_.push_back("destroy");
    }
    void StartThread(std::function<void()> routine) override {
        std::lock_guard lock(mutex_);
        events_.push_back("thread");
        threads_.emplace_back(std::move(routine));
    }

    // Waits for every started routine, including those started by started routines.
    void JoinThreads() {
        for (;;) {
            std::vector<std::thread> running;
            {
                std::lock_guard lock(mutex_);
                running.swap(threads_);
            }
            if (running.empty()) return;
            for (std::thread& thread : running) thread.join();
        }
    }

    std::string ControlUtf8(std::string_view control) { return Cp936ToUtf8(ControlText(control)); }
    std::vector<RecordedMessage> Messages() {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<Text> Appends() {
        std::lock_guard lock(mutex_);
        return appends_;
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    bool Destroyed() {
        std::lock_guard lock(mutex_);
        for (const std::string& event : events_) {
            if (event == "destroy") return true;
        }
        return false;
    }

  private:
    std::mutex mutex_;
    std::map<std::string, Text> texts_;
    std::vector<RecordedMessage> messages_;
    std::vector<Text> appends_;
    std::vector<std::string> events_;
    std::vector<std::thread> threads_;
};

}  // namespace vt::test
