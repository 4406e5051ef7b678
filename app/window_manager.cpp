#include "app/window_manager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
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

// The atoms the frame uses, interned once per connection in one batch, so that building a
// window costs no round trip to the X server beyond the frame-extents request itself.
struct Atoms {
    xcb_atom_t supportingWmCheck;
    xcb_atom_t requestFrameExtents;
    xcb_atom_t frameExtents;
    xcb_atom_t wmState;
    xcb_atom_t skipTaskbar;
};

Atoms internAtoms(xcb_connection_t* connection)
{
    constexpr std::array names{"_NET_SUPPORTING_WM_CHECK", "_NET_REQUEST_FRAME_EXTENTS",
                               "_NET_FRAME_EXTENTS", "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"};
    std::array<xcb_intern_atom_cookie_t, names.size()> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i)
        cookies[i] = xcb_intern_atom(connection, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, names.size()> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto reply = own(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4]};
}

struct X11 {
    xcb_connection_t* connection;
    xcb_window_t root;
    const Atoms& atoms;

    xcb_get_property_cookie_t askForProperty(xcb_window_t window, xcb_atom_t name,
                                             xcb_atom_t type) const
    {
        return xcb_get_property(connection, 0, window, name, type, 0, 32);
    }

    // The 32-bit values of a window property, or nothing when it is unset.
    ReplyPtr<xcb_get_property_reply_t> property(xcb_get_property_cookie_t cookie) const
    {
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
    // The application has one connection for its whole life.
    static const Atoms atoms = internAtoms(connection);
    return X11{connection, xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root, atoms};
}

void askForFrameExtents(const X11& x, xcb_window_t window)
{
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = x.atoms.requestFrameExtents;
    xcb_send_event(x.connection, 0, x.root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(x.connection);
}

std::optional<QMarginsF> extentsOf(const X11& x, xcb_get_property_cookie_t cookie)
{
    const auto reply = x.property(cookie);
    if (!reply || xcb_get_property_value_length(reply.get()) < 16)
        return std::nullopt;
    const auto* extents = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    // left, right, top, bottom
    return QMarginsF(extents[0], extents[2], extents[1], extents[3]);
}

xcb_get_property_cookie_t askForExtents(const X11& x, xcb_window_t window)
{
    return x.askForProperty(window, x.atoms.frameExtents, XCB_ATOM_CARDINAL);
}

// A window manager names a check window of its own on the root window, and the check window names
// itself. A window manager that died leaves the root's property behind, naming a window that is
// gone with it.
bool windowManagerRuns(const X11& x, xcb_get_property_cookie_t rootCheck)
{
    const auto root = x.property(rootCheck);
    if (!root)
        return false;
    const auto checkWindow = *static_cast<const xcb_window_t*>(xcb_get_property_value(root.get()));
    const auto own =
        x.property(x.askForProperty(checkWindow, x.atoms.supportingWmCheck, XCB_ATOM_WINDOW));
    return own &&
           *static_cast<const xcb_window_t*>(xcb_get_property_value(own.get())) == checkWindow;
}

std::optional<QMarginsF> pollForExtents(const X11& x, xcb_window_t window)
{
    const auto deadline = std::chrono::steady_clock::now() + extentsTimeout;
    do {
        if (const auto extents = extentsOf(x, askForExtents(x, window)))
            return extents;
        std::this_thread::sleep_for(extentsPollInterval);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

} // namespace

FrameExtentsRequest::FrameExtentsRequest(QWidget& window)
    : window_(window)
{
    const auto x = x11();
    if (!x)
        return;
    // The question whether any window manager runs goes out with the request, so that it costs
    // no wait of its own; without a window manager nobody would ever answer.
    rootCheck_ = x->askForProperty(x->root, x->atoms.supportingWmCheck, XCB_ATOM_WINDOW).sequence;
    askForFrameExtents(*x, static_cast<xcb_window_t>(window.winId()));
}

FrameExtentsRequest::~FrameExtentsRequest()
{
    if (const auto x = x11(); x && rootCheck_)
        xcb_discard_reply(x->connection, *rootCheck_);
}

std::optional<QMarginsF> FrameExtentsRequest::frameExtents()
{
    const auto x = x11();
    if (!x) {
        // Other platforms know their frame as soon as the native window exists.
        const QMargins margins = window_.windowHandle()->frameMargins();
        return margins.isNull() ? std::nullopt : std::optional(QMarginsF(margins));
    }
    if (!rootCheck_ || !windowManagerRuns(*x, {*std::exchange(rootCheck_, std::nullopt)}))
        return std::nullopt;
    const auto extents = pollForExtents(*x, static_cast<xcb_window_t>(window_.winId()));
    // The window manager counts device pixels.
    return extents ? std::optional(*extents / window_.devicePixelRatio()) : std::nullopt;
}

std::optional<QMarginsF> currentFrameExtents(QWidget& window)
{
    const auto x = x11();
    if (!x)
        return std::nullopt;
    const auto extents =
        extentsOf(*x, askForExtents(*x, static_cast<xcb_window_t>(window.winId())));
    return extents ? std::optional(*extents / window.devicePixelRatio()) : std::nullopt;
}

FrameExtentsWatch::FrameExtentsWatch(std::function<void(WId)> changed)
    : changed_(std::move(changed))
{
    if (const auto x = x11()) {
        frameExtentsAtom_ = x->atoms.frameExtents;
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

FrameExtentsWatch::~FrameExtentsWatch()
{
    if (frameExtentsAtom_ != XCB_ATOM_NONE && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FrameExtentsWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The top bit marks events that another client sent.
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (notify->atom == frameExtentsAtom_ && notify->state == XCB_PROPERTY_NEW_VALUE)
        changed_(notify->window);
    return false;
}

void skipTaskbar(QWidget& window)
{
    const auto x = x11();
    if (!x)
        return;
    // Set before the window is mapped; the toolkit keeps the atom when it maps.
    xcb_change_property(x->connection, XCB_PROP_MODE_APPEND,
                        static_cast<xcb_window_t>(window.winId()), x->atoms.wmState, XCB_ATOM_ATOM,
                        32, 1, &x->atoms.skipTaskbar);
    xcb_flush(x->connection);
}

} // namespace app::window_manager
