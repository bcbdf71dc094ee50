#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>
#include <cstring>

#include "platform/qt/clipboard_handover.h"

namespace vt {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

xcb_window_t SelectionOwner(xcb_connection_t* connection, xcb_atom_t selection) {
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    if (!reply) return XCB_NONE;
    const xcb_window_t owner = reply->owner;
    std::free(reply);
    return owner;
}

// Watches for the manager's answer to the SAVE_TARGETS request.
class SaveTargetsAnswer : public QAbstractNativeEventFilter {
  public:
    SaveTargetsAnswer(xcb_window_t requestor, xcb_atom_t manager, QEventLoop& waiting)
        : requestor_(requestor), manager_(manager), waiting_(waiting) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_SELECTION_NOTIFY) return false;
        auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
        if (notify->requestor != requestor_ || notify->selection != manager_) return false;
        waiting_.quit();
        return true;
    }

  private:
    xcb_window_t requestor_;
    xcb_atom_t manager_;
    QEventLoop& waiting_;
};

}  // namespace

void HandClipboardToManager(int timeoutMs) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (!QGuiApplication::clipboard()->ownsClipboard()) return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t manager = Atom(connection, "CLIPBOARD_MANAGER");
    const xcb_atom_t saveTargets = Atom(connection, "SAVE_TARGETS");
    const xcb_atom_t property = Atom(connection, "VELTRACE_SAVE_TARGETS");
    // The window that owns our clipboard content asks, so the manager fetches from it.
    const xcb_window_t owner = SelectionOwner(connection, Atom(connection, "CLIPBOARD"));
    if (manager == XCB_ATOM_NONE || owner == XCB_NONE ||
        SelectionOwner(connection, manager) == XCB_NONE) {
        return;
    }

    QEventLoop waiting;
    SaveTargetsAnswer answer(owner, manager, waiting);
    QCoreApplication::instance()->installNativeEventFilter(&answer);
    // An empty property asks the manager to save every target we offer.
    xcb_delete_property(connection, owner, property);
    xcb_convert_selection(connection, owner, manager, saveTargets, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    // Qt's clipboard answers the manager's requests for the content while events are handled.
    QTimer::singleShot(timeoutMs, &waiting, &QEventLoop::quit);
    waiting.exec();
    QCoreApplication::instance()->removeNativeEventFilter(&answer);
}

}  // namespace vt
