#include "tests/e2e/splash/XSession.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

bool waitReadable(xcb_connection_t* connection, Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    return poll(&fd, 1, static_cast<int>(left)) > 0;
}

Clock::time_point after(double seconds) {
    return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

}  // namespace

XSession::XSession(const fs::path& dir) : display_(startXvfb(dir, server_)) {
    if (display_.empty()) return;
    connection_ = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, screen_->root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection_);
}

XSession::~XSession() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

int XSession::width() const { return screen_->width_in_pixels; }
int XSession::height() const { return screen_->height_in_pixels; }

xcb_window_t XSession::waitForMap(double seconds, const std::function<bool(xcb_window_t)>& matches,
                                  std::vector<xcb_window_t>* mapped) {
    const auto deadline = after(seconds);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            const int type = event->response_type & 0x7f;
            xcb_window_t window = 0;
            if (type == XCB_MAP_NOTIFY) window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (type == XCB_DESTROY_NOTIFY) gone_.push_back(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
            if (type == XCB_UNMAP_NOTIFY) gone_.push_back(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window);
            std::free(event);
            if (window == 0) continue;
            if (mapped != nullptr) mapped->push_back(window);
            if (matches(window)) return window;
        }
        if (!waitReadable(connection_, deadline)) return 0;
    }
}

bool XSession::waitForGone(xcb_window_t window, double seconds) {
    const auto deadline = after(seconds);
    for (;;) {
        waitForMap(0, [](xcb_window_t) { return false; });
        for (xcb_window_t w : gone_) {
            if (w == window) return true;
        }
        if (!waitReadable(connection_, deadline)) return false;
    }
}

std::uint32_t XSession::atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const std::uint32_t value = reply == nullptr ? 0 : reply->atom;
    std::free(reply);
    return value;
}

namespace {

std::vector<char> propertyBytes(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                int* format = nullptr) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 24),
        nullptr);
    std::vector<char> bytes;
    if (reply != nullptr) {
        const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
        bytes.assign(data, data + xcb_get_property_value_length(reply));
        if (format != nullptr) *format = reply->format;
    }
    std::free(reply);
    return bytes;
}

}  // namespace

std::string XSession::wmClass(xcb_window_t window) {
    const std::vector<char> bytes = propertyBytes(connection_, window, XCB_ATOM_WM_CLASS);
    const std::string all(bytes.begin(), bytes.end());
    const std::size_t split = all.find('\0');
    if (split == std::string::npos) return {};
    return std::string(all.c_str() + split + 1);
}

std::string XSession::title(xcb_window_t window) {
    const std::vector<char> bytes = propertyBytes(connection_, window, XCB_ATOM_WM_NAME);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint32_t> XSession::cardinals(xcb_window_t window, const char* property) {
    int format = 0;
    const std::vector<char> bytes = propertyBytes(connection_, window, atom(property), &format);
    std::vector<std::uint32_t> values(format == 32 ? bytes.size() / 4 : 0);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

std::vector<xcb_window_t> XSession::stacking() {
    xcb_query_tree_reply_t* reply = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, screen_->root), nullptr);
    std::vector<xcb_window_t> windows;
    if (reply != nullptr) {
        const xcb_window_t* children = xcb_query_tree_children(reply);
        windows.assign(children, children + xcb_query_tree_children_length(reply));
    }
    std::free(reply);
    return windows;
}

WindowBox XSession::box(xcb_window_t window) {
    WindowBox b;
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, screen_->root, 0, 0), nullptr);
    if (geometry != nullptr && origin != nullptr) b = {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
    std::free(geometry);
    std::free(origin);
    return b;
}

std::vector<std::uint32_t> XSession::grab(xcb_window_t window) {
    const WindowBox b = box(window);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<std::uint16_t>(b.width),
                      static_cast<std::uint16_t>(b.height), ~0u),
        nullptr);
    std::vector<std::uint32_t> pixels;
    if (reply != nullptr && reply->depth == 24 &&
        xcb_get_image_data_length(reply) == static_cast<int>(b.width * b.height * 4)) {
        pixels.resize(static_cast<std::size_t>(b.width * b.height));
        std::memcpy(pixels.data(), xcb_get_image_data(reply), pixels.size() * 4);
        for (std::uint32_t& p : pixels) p &= 0xffffff;  // Xvfb: little-endian xRGB
    }
    std::free(reply);
    return pixels;
}

}  // namespace e2e
