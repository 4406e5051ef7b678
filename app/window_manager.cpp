#include "app/window_manager.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

namespace app::window_manager {
namespace {

// Both window managers this program is tried on answer within a millisecond.
constexpr auto extentsTimeout = std::chrono::milliseconds(250);
constexpr auto extentsPollInterval = std::chrono::microseconds(200);

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

struct X11 {
    xcb_connection_t* connection;
    xcb_window_t root;

    xcb_atom_t atom(const char* name) const
    {
        const auto cookie =
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        const auto reply = own(xcb_intern_atom_reply(connection, cookie, nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // The 32-bit values of a window property, or nothing when it is unset.
    ReplyPtr<xcb_get_property_reply_t> property(xcb_window_t window, xcb_atom_t name,
                                                xcb_atom_t type) const
    {
        const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 32);
        auto reply = own(xcb_get_property_reply(connection, cookie, nullptr));
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) > 0)
            return reply;
        return own<xcb_get_property_reply_t>(nullptr);
    }
};

std::optional<X11> x11()
{
    const auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!native || !native->connection())
        return std::nullopt;
    xcb_connection_t* connection = native->connection();
    return X11{connection, xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root};
}

bool hasWindowManager(const X11& x)
{
    return x.property(x.root, x.atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW) != nullptr;
}

void askForFrameExtents(const X11& x, xcb_window_t window)
{
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = x.atom("_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(x.connection, 0, x.root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(x.connection);
}

std::optional<QMarginsF> x11FrameExtents(const X11& x, xcb_window_t window)
{
    if (!hasWindowManager(x))
        return std::nullopt;
    const xcb_atom_t extentsAtom = x.atom("_NET_FRAME_EXTENTS");
    askForFrameExtents(x, window);
    const auto deadline = std::chrono::steady_clock::now() + extentsTimeout;
    do {
        if (const auto reply = x.property(window, extentsAtom, XCB_ATOM_CARDINAL);
            reply && xcb_get_property_value_length(reply.get()) >= 16) {
            const auto* extents =
                static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            // left, right, top, bottom
            return QMarginsF(extents[0], extents[2], extents[1], extents[3]);
        }
        std::this_thread::sleep_for(extentsPollInterval);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

} // namespace

std::optional<QMarginsF> frameExtents(QWidget& window)
{
    if (const auto x = x11()) {
        // The window manager counts device pixels.
        const auto extents = x11FrameExtents(*x, static_cast<xcb_window_t>(window.winId()));
        return extents ? std::optional(*extents / window.devicePixelRatio()) : std::nullopt;
    }
    // Other platforms know their frame as soon as the native window exists.
    const QMargins margins = window.windowHandle()->frameMargins();
    return margins.isNull() ? std::nullopt : std::optional(QMarginsF(margins));
}

void skipTaskbar(QWidget& window)
{
    const auto x = x11();
    if (!x)
        return;
    // Set before the window is mapped; the toolkit keeps the atom when it maps.
    const xcb_atom_t state = x->atom("_NET_WM_STATE_SKIP_TASKBAR");
    xcb_change_property(x->connection, XCB_PROP_MODE_APPEND,
                        static_cast<xcb_window_t>(window.winId()), x->atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 1, &state);
    xcb_flush(x->connection);
}

} // namespace app::window_manager
