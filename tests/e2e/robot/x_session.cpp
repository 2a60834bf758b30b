#include "x_session.h"

#include <cctype>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

// After every Qt header: Xlib defines macros (None, Bool, Status...) that Qt's headers also use.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace cratefall::e2e {
namespace {

// Xlib's default handler ends the program on any error, but a window that has just gone away is
// an ordinary event for a test: every call that may meet one checks this instead.
int lastErrorCode = 0;

int recordError(Display*, XErrorEvent* event)
{
    lastErrorCode = event->error_code;
    return 0;
}

struct XFreeDeleter {
    void operator()(void* data) const
    {
        if (data)
            XFree(data);
    }
};

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// A window property as raw items; empty when the window or the property is missing.
struct Property {
    std::unique_ptr<unsigned char, XFreeDeleter> data;
    unsigned long items = 0;
    int format = 0;
};

Property readProperty(Display* display, Window window, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    lastErrorCode = 0;
    const int status =
        XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &type,
                           &format, &items, &remaining, &data);
    Property result;
    result.data.reset(data);
    if (status != Success || lastErrorCode != 0 || !data)
        return {};
    result.items = items;
    result.format = format;
    return result;
}

// The windows a property lists, read in place: valid while the property is.
std::span<const Window> windowList(const Property& property)
{
    if (property.format != 32)
        return {};
    // Xlib hands 32-bit items over as longs, whatever their size on the wire.
    return {reinterpret_cast<const Window*>(property.data.get()), property.items};
}

std::optional<XWindowAttributes> attributesOf(Display* display, Window window)
{
    XWindowAttributes attributes{};
    lastErrorCode = 0;
    if (!XGetWindowAttributes(display, window, &attributes) || lastErrorCode != 0)
        return std::nullopt;
    return attributes;
}

struct Tree {
    Window parent = 0;
    std::vector<Window> children; // the bottom of the stack first
};

// Nothing when the window is gone.
std::optional<Tree> treeOf(Display* display, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    lastErrorCode = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count) || lastErrorCode != 0)
        return std::nullopt;
    const std::unique_ptr<Window, XFreeDeleter> owned(children);
    return Tree{parent, {children, children + count}};
}

constexpr unsigned long redMask = 0xFF0000;
constexpr unsigned long greenMask = 0x00FF00;
constexpr unsigned long blueMask = 0x0000FF;

} // namespace

XSession::XSession() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        throw std::runtime_error("cannot open the X display named by DISPLAY");
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_display);
        throw std::runtime_error("the X server has no XTEST extension");
    }
    XSetErrorHandler(recordError);
    m_root = DefaultRootWindow(m_display);
}

XSession::~XSession()
{
    XCloseDisplay(m_display);
}

unsigned long XSession::atom(const char* name) const
{
    return XInternAtom(m_display, name, False);
}

std::string XSession::caption(WindowId window) const
{
    const Property utf8 = readProperty(m_display, window, atom("_NET_WM_NAME"));
    if (utf8.format == 8)
        return {reinterpret_cast<const char*>(utf8.data.get()), utf8.items};
    const Property legacy = readProperty(m_display, window, XA_WM_NAME);
    if (legacy.format == 8)
        return {reinterpret_cast<const char*>(legacy.data.get()), legacy.items};
    return {};
}

bool XSession::hasWindowType(WindowId window, const char* typeName) const
{
    const Property types = readProperty(m_display, window, atom("_NET_WM_WINDOW_TYPE"));
    const Atom wanted = atom(typeName);
    for (const Window type : windowList(types))
        if (type == wanted)
            return true;
    return false;
}

// Wine maps a Windows program's popups (its menus) as override-redirect windows of the normal
// type; no other program here maps such a window.
bool XSession::isWinePopup(WindowId window) const
{
    const auto attributes = attributesOf(m_display, window);
    return attributes && attributes->override_redirect &&
           hasWindowType(window, "_NET_WM_WINDOW_TYPE_NORMAL");
}

bool XSession::isViewable(WindowId window) const
{
    const auto attributes = attributesOf(m_display, window);
    return attributes && attributes->map_state == IsViewable;
}

std::optional<WindowId> XSession::findClient(std::string_view wanted) const
{
    XSync(m_display, False);
    const Property clients = readProperty(m_display, m_root, atom("_NET_CLIENT_LIST"));
    for (const Window window : windowList(clients))
        if (caption(window) == wanted && isViewable(window))
            return window;
    return std::nullopt;
}

std::optional<WindowId> XSession::findMenuPopup() const
{
    const auto tree = treeOf(m_display, m_root);
    for (auto window = tree->children.rbegin(); window != tree->children.rend(); ++window)
        if (isViewable(*window) &&
            (hasWindowType(*window, "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU") ||
             hasWindowType(*window, "_NET_WM_WINDOW_TYPE_POPUP_MENU") || isWinePopup(*window)))
            return *window; // the top of the stack first
    return std::nullopt;
}

QSize XSession::size(WindowId window) const
{
    const auto attributes = attributesOf(m_display, window);
    return attributes ? QSize(attributes->width, attributes->height) : QSize();
}

QRect XSession::frameOver(WindowId window, WindowId other) const
{
    // The frame is the ancestor of the window that is a child of the root.
    Window frame = other;
    for (auto tree = treeOf(m_display, frame);
         tree && tree->parent != m_root && tree->parent != None; tree = treeOf(m_display, frame))
        frame = tree->parent;
    const auto attributes = attributesOf(m_display, frame);
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!attributes || !XTranslateCoordinates(m_display, frame, window, 0, 0, &x, &y, &child) ||
        lastErrorCode != 0)
        return {};
    const int border = attributes->border_width;
    return {x - border, y - border, attributes->width + 2 * border,
            attributes->height + 2 * border};
}

void XSession::viewPart(WindowId window, QRect part) const
{
    m_parts.insert_or_assign(window, part);
}

QImage XSession::grab(WindowId window) const
{
    const QImage whole = grabWhole(window);
    const auto part = m_parts.find(window);
    return whole.isNull() || part == m_parts.end() ? whole : whole.copy(part->second);
}

QImage XSession::grabWhole(WindowId window) const
{
    const QSize area = size(window);
    if (area.isEmpty())
        return {};
    lastErrorCode = 0;
    const std::unique_ptr<XImage, ImageDeleter> shot(
        XGetImage(m_display, window, 0, 0, unsigned(area.width()), unsigned(area.height()),
                  AllPlanes, ZPixmap));
    XSync(m_display, False);
    if (!shot || lastErrorCode != 0)
        return {};
    if (shot->bits_per_pixel != 32 || shot->red_mask != redMask || shot->green_mask != greenMask ||
        shot->blue_mask != blueMask)
        throw std::runtime_error("the screen is not 24-bit true colour");
    QImage image(area, QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        const auto* from = reinterpret_cast<const quint32*>(shot->data + y * shot->bytes_per_line);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            to[x] = 0xFF000000u | from[x];
    }
    return image;
}

void XSession::click(WindowId window, QPoint pixel) const
{
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    if (const auto part = m_parts.find(window); part != m_parts.end())
        pixel += part->second.topLeft();
    XTranslateCoordinates(m_display, window, m_root, pixel.x(), pixel.y(), &rootX, &rootY, &child);
    XTestFakeMotionEvent(m_display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(m_display, Button1, True, CurrentTime);
    awaitButton(true);
    XTestFakeButtonEvent(m_display, Button1, False, CurrentTime);
    awaitButton(false);
}

void XSession::awaitButton(bool down) const
{
    const auto isDown = [this] {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int state = 0;
        XQueryPointer(m_display, m_root, &root, &child, &rootX, &rootY, &x, &y, &state);
        return (state & Button1Mask) != 0;
    };
    if (!waitUntil([&] { return isDown() == down; }, std::chrono::seconds(10),
                   std::chrono::milliseconds(0)))
        throw std::runtime_error("the X server never took the button's press or release");
}

void XSession::key(std::string_view chord) const
{
    static const std::map<std::string, std::string, std::less<>> modifiers{
        {"ctrl", "Control_L"}, {"alt", "Alt_L"}, {"shift", "Shift_L"}, {"super", "Super_L"}};
    std::vector<KeyCode> keys;
    auto add = [&](const std::string& name) {
        const KeySym symbol = XStringToKeysym(name.c_str());
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(m_display, symbol);
        if (code == 0)
            throw std::runtime_error("no key for " + name);
        keys.push_back(code);
    };
    std::size_t from = 0;
    while (from <= chord.size()) {
        const std::size_t plus = std::min(chord.find('+', from), chord.size());
        const std::string name(chord.substr(from, plus - from));
        if (const auto modifier = modifiers.find(name); modifier != modifiers.end()) {
            add(modifier->second);
        } else {
            if (name.size() == 1 && std::isupper(static_cast<unsigned char>(name[0])))
                add("Shift_L");
            add(name);
        }
        from = plus + 1;
    }
    for (const KeyCode code : keys)
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    for (auto code = keys.rbegin(); code != keys.rend(); ++code)
        XTestFakeKeyEvent(m_display, *code, False, CurrentTime);
    XSync(m_display, False);
}

// Source 2 in both requests: they come from a pager or taskbar, i.e. the user.
void XSession::requestClose(WindowId window) const
{
    askWindowManager(window, "_NET_CLOSE_WINDOW", CurrentTime, 2);
}

void XSession::requestActivation(WindowId window) const
{
    askWindowManager(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

void XSession::askWindowManager(WindowId window, const char* request, long first, long second) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(request);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(m_display, False);
}

bool XSession::hasFocus(WindowId window) const
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    // The focus may sit on a child of the window; walk up towards the root.
    while (focus != None && focus != PointerRoot && focus != m_root) {
        if (focus == window)
            return true;
        const auto tree = treeOf(m_display, focus);
        focus = tree ? tree->parent : None;
    }
    return false;
}

void XSession::watchNewWindows() const
{
    XSelectInput(m_display, m_root, SubstructureNotifyMask);
    XSync(m_display, False);
}

bool XSession::newWindowMapped() const
{
    bool mapped = false;
    while (XPending(m_display) > 0) {
        XEvent event{};
        XNextEvent(m_display, &event);
        if (event.type == MapNotify)
            mapped = true;
    }
    return mapped;
}

} // namespace cratefall::e2e
