#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/Windows.h"
#include "runtime/WindowLifecycle.h"

namespace {

// A display-free window driven through the lifecycle as a backend drives it;
// its modal loop works a queue of posted tasks until it is told to quit.
class QueueWindow final : public rt::Window {
public:
    explicit QueueWindow(std::deque<std::function<void()>>& queue, bool modal = false)
        : queue_(queue), modal_(modal) {}

    void setVisible(bool visible) override {
        if (visible == visible_) return;
        visible_ = visible;
        if (!visible) {
            lifecycle_.hidden();
            return;
        }
        lifecycle_.showing();
        lifecycle_.shown();
        if (modal_ && visible_) lifecycle_.runModal([this] { work(); }, [this] { running_ = false; });
    }
    bool isVisible() const override { return visible_; }
    void dispose() override { lifecycle_.dispose([this] { setVisible(false); }); }
    void addWindowListener(std::unique_ptr<rt::WindowListener> l) override { lifecycle_.add(std::move(l)); }
    void addWindowListener(rt::WindowListener& l) override { lifecycle_.add(l); }
    void requestClose() { lifecycle_.fire(&rt::WindowListener::windowClosing); }

    rt::Container& contentPane() override { throw std::logic_error("no content"); }
    rt::String title() const override { return {}; }
    void setTitle(const rt::String&) override {}
    rt::Size size() const override { return {}; }
    void setSize(int, int) override {}
    rt::Point location() const override { return {}; }
    void setLocation(rt::Point) override {}
    void setLocationRelativeTo(const rt::Window&) override {}
    void validate() override {}
    void updateStyle() override {}
    void setDefaultButton(rt::Button*) override {}

private:
    void work() {
        bool running = true;
        std::swap(running, running_);
        while (running_ && !queue_.empty()) {
            auto task = std::move(queue_.front());
            queue_.pop_front();
            task();
        }
        running_ = running;
    }

    std::deque<std::function<void()>>& queue_;
    bool modal_;
    bool visible_ = false;
    bool running_ = false;
    rt::WindowLifecycle lifecycle_{*this};
};

// Writes each notice into a shared log, with the window it came from.
class LogListener final : public rt::WindowListener {
public:
    LogListener(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void windowOpened(const rt::WindowEvent& e) override { note("opened", e); }
    void windowClosing(const rt::WindowEvent& e) override { note("closing", e); }
    void windowClosed(const rt::WindowEvent& e) override { note("closed", e); }
    const rt::Window* lastWindow = nullptr;

private:
    void note(const char* what, const rt::WindowEvent& e) {
        lastWindow = &e.window;
        log_.push_back(name_ + " " + what);
    }
    std::vector<std::string>& log_;
    std::string name_;
};

using Log = std::vector<std::string>;

class WindowLifecycleTest : public testing::Test {
protected:
    std::deque<std::function<void()>> queue;
    Log log;
};

TEST_F(WindowLifecycleTest, OpenedOnlyOnTheFirstShowingClosedOnlyWhenDisplayable) {
    QueueWindow window(queue);
    LogListener listener(log, "w");
    window.addWindowListener(listener);
    window.dispose();
    EXPECT_TRUE(log.empty());
    window.setVisible(true);
    window.setVisible(false);
    window.setVisible(true);
    window.dispose();
    window.dispose();
    EXPECT_EQ(log, (Log{"w opened", "w closed"}));
    EXPECT_EQ(listener.lastWindow, &window);
    // Shown again after dispose it is displayable again, but not opened anew.
    window.setVisible(true);
    window.dispose();
    EXPECT_EQ(log, (Log{"w opened", "w closed", "w closed"}));
}

TEST_F(WindowLifecycleTest, ListenersHearInOrderOwnedOrBorrowedAndAddedOnesWaitForTheNextNotice) {
    QueueWindow window(queue);
    LogListener borrowed(log, "b");
    window.addWindowListener(std::make_unique<LogListener>(log, "o"));
    window.addWindowListener(borrowed);
    struct Adder final : rt::WindowListener {
        QueueWindow& window;
        LogListener& late;
        explicit Adder(QueueWindow& w, LogListener& l) : window(w), late(l) {}
        void windowClosing(const rt::WindowEvent&) override { window.addWindowListener(late); }
    };
    LogListener late(log, "late");
    Adder adder(window, late);
    window.addWindowListener(adder);
    window.requestClose();
    window.requestClose();
    EXPECT_EQ(log, (Log{"o closing", "b closing", "o closing", "b closing", "late closing"}));
}

TEST_F(WindowLifecycleTest, AFailingListenerDoesNotStopTheOthers) {
    QueueWindow window(queue);
    struct Failing final : rt::WindowListener {
        void windowClosing(const rt::WindowEvent&) override { throw std::runtime_error("listener failed"); }
    };
    window.addWindowListener(std::make_unique<Failing>());
    LogListener after(log, "after");
    window.addWindowListener(after);
    testing::internal::CaptureStderr();
    window.requestClose();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("listener failed"), std::string::npos);
    EXPECT_EQ(log, (Log{"after closing"}));
}

TEST_F(WindowLifecycleTest, AModalWindowWaitsUntilItIsHidden) {
    QueueWindow dialog(queue, true);
    queue.push_back([&] { log.push_back("working"); });
    queue.push_back([&] { dialog.setVisible(false); });
    queue.push_back([&] { log.push_back("after hiding"); });
    dialog.setVisible(true);
    log.push_back("returned");
    EXPECT_EQ(log, (Log{"working", "returned"}));
    EXPECT_EQ(queue.size(), 1u);
}

TEST_F(WindowLifecycleTest, NestedModalWindowsEndInnermostFirst) {
    QueueWindow outer(queue, true);
    QueueWindow inner(queue, true);
    queue.push_back([&] {
        inner.setVisible(true);
        log.push_back("inner returned");
    });
    queue.push_back([&] { inner.dispose(); });
    queue.push_back([&] { log.push_back("outer still waits"); });
    queue.push_back([&] { outer.dispose(); });
    outer.setVisible(true);
    EXPECT_EQ(log, (Log{"inner returned", "outer still waits"}));
    EXPECT_TRUE(queue.empty());
}

TEST_F(WindowLifecycleTest, ShownAgainWhileItsLoopRunsTheWindowWaitsInANestedLoop) {
    QueueWindow dialog(queue, true);
    queue.push_back([&] {
        dialog.setVisible(false);
        dialog.setVisible(true);
        log.push_back("second showing returned");
    });
    queue.push_back([&] { dialog.setVisible(false); });
    queue.push_back([&] { log.push_back("not reached"); });
    dialog.setVisible(true);
    log.push_back("first showing returned");
    EXPECT_EQ(log, (Log{"second showing returned", "first showing returned"}));
}

TEST_F(WindowLifecycleTest, ADisposingOpenedListenerLeavesNoLoopToWaitIn) {
    QueueWindow dialog(queue, true);
    struct Disposer final : rt::WindowListener {
        void windowOpened(const rt::WindowEvent& e) override { e.window.dispose(); }
    };
    dialog.addWindowListener(std::make_unique<Disposer>());
    dialog.addWindowListener(std::make_unique<LogListener>(log, "d"));
    queue.push_back([&] { log.push_back("not reached"); });
    dialog.setVisible(true);
    EXPECT_EQ(log, (Log{"d closed", "d opened"}));
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
