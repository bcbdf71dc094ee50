#include "platform/qt/message_box.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <future>
#include <memory>
#include <mutex>

#include "platform/qt/control_text.h"
#include "platform/qt/gui_thread.h"
#include "text/codepage.h"

namespace vt {
namespace {

std::mutex hookMutex;
MessageBoxHook installedHook;

QString Shown(const Text& text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), "\n");
}

QMessageBox::Icon IconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kStop:
            return QMessageBox::Critical;
        case MessageIcon::kInformation:
            return QMessageBox::Information;
        case MessageIcon::kNone:
            break;
    }
    return QMessageBox::NoIcon;
}

// Opens the box on the GUI thread without waiting; `confirmed` runs once when it is closed.
// The box has no owner and is not modal to any window, like a message box without owner.
void OpenBox(const Text& text, MessageIcon icon, const Text& title,
             std::function<void()> confirmed) {
    auto* box = new QMessageBox(IconFor(icon), Shown(title), Shown(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, std::move(confirmed),
                     Qt::SingleShotConnection);
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
    std::lock_guard lock(hookMutex);
    installedHook = std::move(hook);
}

void ShowMessageBox(const Text& text, MessageIcon icon, const Text& title) {
    const Text shownTitle = title.empty() ? Utf8ToCp936("信息：") : title;
    MessageBoxHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = installedHook;
    }
    if (hook) {
        hook(text, icon, shownTitle);
        return;
    }
    if (GuiCallsShutDown()) return;

    if (OnGuiThread()) {
        // The loop also ends when the application quits; the box may then outlive it.
        QEventLoop loop;
        OpenBox(text, icon, shownTitle, [waiting = QPointer<QEventLoop>(&loop)] {
            if (waiting) waiting->quit();
        });
        loop.exec();
        return;
    }
    // A worker waits for the confirmation without holding the GUI thread; when the program ends
    // before the box was opened, the dropped call breaks the promise and wakes the worker.
    auto confirmed = std::make_shared<std::promise<void>>();
    std::future<void> done = confirmed->get_future();
    PostToGuiThread([text, icon, shownTitle, confirmed]() mutable {
        OpenBox(text, icon, shownTitle, [confirmed] { confirmed->set_value(); });
    });
    confirmed.reset();
    try {
        done.get();
    } catch (const std::future_error&) {
    }
}

}  // namespace vt
