#pragma once
// What the token store and the recognition job need from the main window. The Qt shell
// implements it (calls from worker threads are marshalled to the GUI thread); tests implement it
// headless.

#include <functional>
#include <string_view>

#include "text/text.h"

namespace vt {

// Names of the main-window controls that worker routines read and write (UTF-8 identifiers).
namespace control {
inline constexpr std::string_view kResultBox = "编辑框1";
inline constexpr std::string_view kStatusLabel = "透明标签1";
inline constexpr std::string_view kUrl = "url";
inline constexpr std::string_view kTokenAnswer = "返回数据";
inline constexpr std::string_view kRecognitionAnswer = "返回验证";
inline constexpr std::string_view kTodayStamp = "当前";
inline constexpr std::string_view kStoredStamp = "配置";
inline constexpr std::string_view kCacheAge = "输出";
}  // namespace control

// Icon styles of the modal message box.
enum class MessageIcon { kNone = 0, kStop = 16, kInformation = 64 };

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // Text of an edit box or label, as code-page-936 text.
    virtual Text ControlText(std::string_view control) = 0;
    virtual void SetControlText(std::string_view control, const Text& text) = 0;
    // Appends at the end of an edit box (raises its text-changed event).
    virtual void AppendControlText(std::string_view control, const Text& text) = 0;

    virtual void SetProgressPosition(int position) = 0;
    // Period of the progress timer in milliseconds; 0 stops it.
    virtual void SetTimerPeriod(int milliseconds) = 0;

    // Modal message box with one OK button and no owner; returns when the user has confirmed.
    // An empty title shows "信息：".
    virtual void ShowMessage(const Text& text, MessageIcon icon, const Text& title) = 0;

    // Destroys the main window, which ends the program.
    virtual void DestroyMainWindow() = 0;

    // Runs `routine` on a new detached thread; nobody waits for it.
    virtual void StartThread(std::function<void()> routine) = 0;
};

}  // namespace vt
