#include "platform/qt/gui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace vt {
namespace {

std::mutex gateMutex;
std::atomic<bool> shutDown = false;

// Queues `task` on the application object while the gate is open; false once it is closed.
// Holding the lock while queueing means nothing is queued after ShutDownGuiCalls has swept.
bool Enqueue(std::function<void()> task) {
    std::lock_guard lock(gateMutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (shutDown || !app) return false;
    QMetaObject::invokeMethod(
        app,
        [task = std::move(task)] {
            if (!shutDown) task();
        },
        Qt::QueuedConnection);
    return true;
}

}  // namespace

bool OnGuiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool RunOnGuiThread(const std::function<void()>& task) {
    if (shutDown) return false;
    if (OnGuiThread()) {
        task();
        return true;
    }
    // The promise is set when the task has run; when the queued call is dropped unrun at
    // shutdown, the promise is destroyed and the waiting caller wakes with a broken promise.
    auto ran = std::make_shared<std::promise<void>>();
    std::future<void> done = ran->get_future();
    if (!Enqueue([&task, ran] {
            task();
            ran->set_value();
        })) {
        return false;
    }
    ran.reset();
    try {
        done.get();
        return true;
    } catch (const std::future_error&) {
        return false;
    }
}

void PostToGuiThread(std::function<void()> task) {
    if (OnGuiThread() && !shutDown) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
        return;
    }
    Enqueue(std::move(task));
}

void ShutDownGuiCalls() {
    std::lock_guard lock(gateMutex);
    shutDown = true;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QCoreApplication::removePostedEvents(app, QEvent::MetaCall);
    }
}

bool GuiCallsShutDown() {
    return shutDown;
}

void StartDetached(std::function<void()> routine) {
    try {
        std::thread(std::move(routine)).detach();
    } catch (const std::system_error&) {
        // No thread could be made (resources exhausted): the routine does not run.
    }
}

}  // namespace vt
