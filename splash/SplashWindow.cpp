#include "splash/SplashWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace splash {

namespace {

// Converts 0x00RRGGBB to the screen's 32-bit pixels in the server's byte order.
class PixelFormat {
public:
    PixelFormat(const xcb_visualtype_t& visual, bool msbFirst)
        : red_(channel(visual.red_mask)), green_(channel(visual.green_mask)), blue_(channel(visual.blue_mask)),
          msbFirst_(msbFirst) {}

    std::uint32_t pixel(std::uint32_t rgb) const {
        const std::uint32_t value = red_.place(rgb >> 16 & 0xff) | green_.place(rgb >> 8 & 0xff) | blue_.place(rgb & 0xff);
        return msbFirst_ ? __builtin_bswap32(value) : value;
    }
    // The server's pixels are the image's words as they are (the usual
    // 24-bit visual on a little-endian server): nothing to convert.
    bool same() const { return pixel(0xff0000) == 0xff0000 && pixel(0xff00) == 0xff00 && pixel(0xff) == 0xff; }

private:
    struct Channel {
        int shift = 0;
        int bits = 0;
        std::uint32_t place(std::uint32_t value) const {
            return bits >= 8 ? value << (shift + bits - 8) : (value >> (8 - bits)) << shift;
        }
    };
    static Channel channel(std::uint32_t mask) {
        Channel c;
        if (mask == 0) return c;
        c.shift = __builtin_ctz(mask);
        c.bits = __builtin_popcount(mask);
        return c;
    }

    Channel red_, green_, blue_;
    bool msbFirst_;
};

const xcb_visualtype_t* rootVisual(const xcb_screen_t& screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0; xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen.root_visual) return visuals.data;
        }
    }
    return nullptr;
}

bool hasPixmapFormat32(const xcb_setup_t& setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(&setup); formats.rem > 0; xcb_format_next(&formats)) {
        if (formats.data->depth == depth) return formats.data->bits_per_pixel == 32;
    }
    return false;
}

// What a strip leaves of a request for the image request's own fields
// (24 bytes), with room to spare.
constexpr std::size_t PutImageHeader = 64;

void setCardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                  const std::uint32_t* values, std::uint32_t count) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 32, count, values);
}

}  // namespace

SplashWindow::SplashWindow() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; screens.rem > 0 && screenNumber > 0; --screenNumber) xcb_screen_next(&screens);
    screen_ = screens.rem > 0 ? screens.data : nullptr;
    askForAtoms();
}

// The atoms are asked for at once and their replies read when the window
// is made: the round trip passes while the image is on its way.
void SplashWindow::askForAtoms() {
    static constexpr const char* AtomNames[AtomCount] = {
        "_NET_WM_WINDOW_TYPE",      "_NET_WM_WINDOW_TYPE_SPLASH", "_NET_WM_STATE",  "_NET_WM_STATE_SKIP_TASKBAR",
        "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE",        "_MOTIF_WM_HINTS"};
    for (int i = 0; i < AtomCount; ++i) {
        atomCookies_[i] =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(AtomNames[i])), AtomNames[i]);
    }
    xcb_flush(connection_);
}

void SplashWindow::receiveAtoms(xcb_atom_t (&atoms)[AtomCount]) {
    for (int i = 0; i < AtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, atomCookies_[i], nullptr);
        atoms[i] = reply == nullptr ? xcb_atom_t{XCB_ATOM_NONE} : reply->atom;
        std::free(reply);
    }
}

SplashWindow::~SplashWindow() {
    if (connection_ == nullptr) return;
    if (window_ != 0) xcb_destroy_window(connection_, window_);
    if (pixmap_ != 0) xcb_free_pixmap(connection_, pixmap_);
    // A round trip: when it returns the server has destroyed the window, so
    // a window the program shows next can never come up beneath it.
    if (window_ != 0) std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    xcb_disconnect(connection_);
}

int SplashWindow::fileDescriptor() const { return connection_ == nullptr ? -1 : xcb_get_file_descriptor(connection_); }

bool SplashWindow::show(const Image& image, const WindowOptions& options) {
    if (connection_ == nullptr || screen_ == nullptr || image.width <= 0 || image.height <= 0) return false;
    if (!uploadPicture(image)) return false;
    const int x = (screen_->width_in_pixels - image.width) / 2;
    const int y = (screen_->height_in_pixels - image.height) / 2;
    window_ = xcb_generate_id(connection_);
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY | (options.closeOnClick ? XCB_EVENT_MASK_BUTTON_PRESS : 0);
    const std::uint32_t values[] = {pixmap_, events};
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen_->root, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(image.width),
                      static_cast<std::uint16_t>(image.height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
    setProperties(options, x, y, image);
    xcb_map_window(connection_, window_);
    return xcb_flush(connection_) > 0;
}

// The picture goes into a server-side pixmap in strips that fit the
// server's request size.
bool SplashWindow::uploadPicture(const Image& image) {
    const xcb_setup_t& setup = *xcb_get_setup(connection_);
    const xcb_visualtype_t* visual = rootVisual(*screen_);
    if (visual == nullptr || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR ||
        !hasPixmapFormat32(setup, screen_->root_depth)) {
        return false;
    }
    const PixelFormat format(*visual, setup.image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST);
    pixmap_ = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, screen_->root_depth, pixmap_, screen_->root, static_cast<std::uint16_t>(image.width),
                      static_cast<std::uint16_t>(image.height));
    const xcb_gcontext_t gc = xcb_generate_id(connection_);
    xcb_create_gc(connection_, gc, pixmap_, 0, nullptr);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    // The server's own limit: asking for a larger one (BIG-REQUESTS) costs
    // two round trips, a second strip none. Only a row that does not fit
    // asks for it.
    std::size_t requestBytes = std::size_t{setup.maximum_request_length} * 4;
    if (requestBytes < rowBytes + PutImageHeader) {
        requestBytes = std::size_t{xcb_get_maximum_request_length(connection_)} * 4;
    }
    const int stripRows = static_cast<int>(std::max<std::size_t>(1, (requestBytes - PutImageHeader) / rowBytes));
    std::vector<std::uint32_t> strip;
    for (int top = 0; top < image.height; top += stripRows) {
        const int rows = std::min(stripRows, image.height - top);
        const std::uint32_t* first = image.pixels.data() + static_cast<std::ptrdiff_t>(top) * image.width;
        const std::size_t count = static_cast<std::size_t>(rows) * image.width;
        if (!format.same()) {
            strip.resize(count);
            std::transform(first, first + count, strip.begin(), [&](std::uint32_t rgb) { return format.pixel(rgb); });
            first = strip.data();
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap_, gc, static_cast<std::uint16_t>(image.width),
                      static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(top), 0, screen_->root_depth,
                      static_cast<std::uint32_t>(count * 4), reinterpret_cast<const std::uint8_t*>(first));
    }
    xcb_free_gc(connection_, gc);
    return true;
}

void SplashWindow::setProperties(const WindowOptions& options, int x, int y, const Image& image) {
    xcb_atom_t atoms[AtomCount];
    receiveAtoms(atoms);
    static constexpr char wmClass[] = "splashscreen\0Splashscreen";
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof wmClass, wmClass);
    setCardinals(connection_, window_, atoms[NetWmWindowType], XCB_ATOM_ATOM, &atoms[NetWmWindowTypeSplash], 1);
    const std::uint32_t state[] = {atoms[NetWmStateSkipTaskbar], atoms[NetWmStateSkipPager], atoms[NetWmStateAbove]};
    setCardinals(connection_, window_, atoms[NetWmState], XCB_ATOM_ATOM, state, options.keepAbove ? 3 : 2);
    // Motif hints: no decorations, for window managers that ignore the type.
    const std::uint32_t motif[] = {2, 0, 0, 0, 0};
    setCardinals(connection_, window_, atoms[MotifWmHints], atoms[MotifWmHints], motif, 5);
    // Program-given position and a fixed size (PPosition, USPosition, PMinSize, PMaxSize).
    const auto w = static_cast<std::uint32_t>(image.width), h = static_cast<std::uint32_t>(image.height);
    const std::uint32_t normal[18] = {1 | 4 | 16 | 32, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                      w, h, w, h, w, h};
    setCardinals(connection_, window_, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, normal, 18);
    // Never takes the keyboard focus (InputHint with input false, StateHint normal).
    const std::uint32_t hints[9] = {1 | 2, 0, 1};
    setCardinals(connection_, window_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, hints, 9);
}

bool SplashWindow::clickedOrLost() {
    bool clicked = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if ((event->response_type & 0x7f) == XCB_BUTTON_PRESS) clicked = true;
        std::free(event);
    }
    return clicked || xcb_connection_has_error(connection_) != 0;
}

}  // namespace splash
