// The exports of the splash library and the thread that owns the splash
// window: the callers hand over settings, the image and the close request
// and return at once; connecting, showing and closing happen in the thread.
// The image is decoded by the caller of SplashLoadMemory (well under a
// millisecond for a splash-sized image): decoded in the thread instead, it
// ran while the caller loaded the runtime, and on a busy machine both the
// splash and the first window came up later.

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "splash/SplashProtocol.h"
#include "splash/JpegImage.h"
#include "splash/SplashOptions.h"
#include "splash/SplashWindow.h"

namespace splash {

using Clock = std::chrono::steady_clock;

// How long SplashCloseNow waits for the window to go: a thread stuck on a
// display that does not answer must not hold up the caller for long.
constexpr auto CloseNowWait = std::chrono::seconds(2);

namespace {

// Shared between the callers and the splash thread. Never freed: the thread
// may still run while the process exits.
struct State {
    std::mutex lock;
    bool started = false;
    SplashOptions options;
    Image image;  // empty when the bytes did not decode
    bool imageGiven = false;
    bool closeRequested = false;
    bool closeNow = false;  // no minimum time
    bool running = false;   // the splash thread has not ended yet
    std::condition_variable ended;
    int wake = -1;
};

State& state() {
    static State& shared = *new State;
    return shared;
}

// The counter of the non-blocking eventfd only has to be nonzero: a write
// that fails because it is full, or a read that finds it empty, is fine.
void wakeThread(State& s) {
    if (s.wake < 0) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(s.wake, &one, sizeof one);
}

// Copies count bytes through the kernel, which reports unreadable memory
// instead of faulting: a count larger than the caller's data gives an
// empty copy (no splash), never a crash.
std::vector<std::uint8_t> copyReadable(const void* bytes, std::size_t count) {
    std::vector<std::uint8_t> copy(count);
    iovec local{copy.data(), count};
    iovec remote{const_cast<void*>(bytes), count};
    const ssize_t n = count == 0 ? 0 : process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (n != static_cast<ssize_t>(count)) copy.clear();
    return copy;
}

// Waits for a wake-up, the connection's events or the deadline; returns
// after any of them.
void waitFor(int wake, int display, Clock::time_point deadline) {
    pollfd fds[] = {{wake, POLLIN, 0}, {display, POLLIN, 0}};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    poll(fds, display < 0 ? 1 : 2, static_cast<int>(std::clamp<long long>(left, 0, 60'000)));
    if ((fds[0].revents & POLLIN) == 0) return;
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t drained = read(wake, &count, sizeof count);
}

// Until the image arrives or a close is asked for; true with an image.
bool awaitImage(State& s, Image& image, SplashOptions& options) {
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(s.lock);
            if (s.closeRequested) return false;
            if (s.imageGiven) {
                options = s.options;
                image = std::move(s.image);
                return !image.pixels.empty();
            }
        }
        waitFor(s.wake, -1, Clock::now() + std::chrono::seconds(60));
    }
}

// Both decisions take the same moment, so that the minimum time running
// out between them cannot leave the thread waiting for nothing.
bool closeDue(State& s, const SplashOptions& options, Clock::time_point shown, Clock::time_point now) {
    if (options.maximum.count() > 0 && now >= shown + options.maximum) return true;
    std::lock_guard<std::mutex> guard(s.lock);
    return s.closeNow || (s.closeRequested && now >= shown + options.minimum);
}

Clock::time_point nextCheck(const SplashOptions& options, Clock::time_point shown, Clock::time_point now) {
    auto next = now + std::chrono::seconds(60);
    if (options.maximum.count() > 0) next = std::min(next, shown + options.maximum);
    if (now < shown + options.minimum) next = std::min(next, shown + options.minimum);
    return next;
}

void showSplash(State& s) {
    SplashWindow window;  // connects while the image is still on its way
    Image image;
    SplashOptions options;
    if (!window.connected() || !awaitImage(s, image, options) || !window.show(image, options.window)) return;
    image = Image{};
    const Clock::time_point shown = Clock::now();
    for (Clock::time_point now = shown; !closeDue(s, options, shown, now); now = Clock::now()) {
        if (window.clickedOrLost()) return;
        waitFor(s.wake, window.fileDescriptor(), nextCheck(options, shown, now));
    }
}

// The thread's body; its end (the window gone from the server) is told to
// SplashCloseNow.
void runSplash() {
    State& s = state();
    showSplash(s);
    std::lock_guard<std::mutex> guard(s.lock);
    s.running = false;
    s.ended.notify_all();
}

// Called with the lock held.
void startThread(State& s) {
    s.started = true;
    s.wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (s.wake < 0) return;
    try {
        std::thread(runSplash).detach();
        s.running = true;
    } catch (const std::system_error&) {
        // No thread, no splash.
    }
}

// Starts the thread once, with the given options when they come before the
// image; whether they were taken.
bool start(const SplashOptions* options) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    const bool taken = options != nullptr && !s.imageGiven;
    if (taken) s.options = *options;
    if (!s.started) startThread(s);
    return taken;
}

}  // namespace

}  // namespace splash

extern "C" {

__attribute__((visibility("default"))) int SplashInitEx(std::uint32_t value, std::uint32_t flag1,
                                                        std::uint32_t flag2, const void* data) {
    const splash::SplashOptions options = splash::optionsFrom(value, flag1, flag2, data);
    return splash::start(&options) ? 1 : 0;
}

__attribute__((visibility("default"))) int SplashLoadMemory(const void* bytes, std::uint32_t count) {
    splash::start(nullptr);
    splash::State& s = splash::state();
    const std::vector<std::uint8_t> jpeg =
        count <= splash::MaxJpegBytes && bytes != nullptr ? splash::copyReadable(bytes, count) : std::vector<std::uint8_t>{};
    splash::Image image;
    splash::decodeJpeg(jpeg.data(), jpeg.size(), image);
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.imageGiven) return 0;
    s.image = std::move(image);
    s.imageGiven = true;
    splash::wakeThread(s);
    return 1;
}

__attribute__((visibility("default"))) void SplashClose() {
    splash::State& s = splash::state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.closeRequested = true;
    splash::wakeThread(s);
}

__attribute__((visibility("default"))) void SplashCloseNow() {
    splash::State& s = splash::state();
    std::unique_lock<std::mutex> guard(s.lock);
    s.closeRequested = true;
    s.closeNow = true;
    splash::wakeThread(s);
    s.ended.wait_for(guard, splash::CloseNowWait, [&s] { return !s.running; });
}

}
