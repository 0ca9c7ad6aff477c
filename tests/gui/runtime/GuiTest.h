#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"

// A shown frame for a test to fill, and the toolkit's driver.
class GuiTest : public testing::Test {
protected:
    GuiTest() : frame(tk().createFrame()) {}
    ~GuiTest() override { driver().disarm(); }

    static rt::Toolkit& tk() { return rt::toolkit(); }
    static rt::TestDriver& driver() { return rt::testDriver(); }

    void show(int width = 300, int height = 300) {
        frame->setSize(width, height);
        frame->setVisible(true);
        driver().processEvents();
    }

    // New buttons with the captions, in their order.
    template <std::size_t N>
    static std::array<rt::Button*, N> buttons(const char16_t* const (&captions)[N]) {
        std::array<rt::Button*, N> made{};
        for (std::size_t i = 0; i < N; ++i) made[i] = tk().createButton(captions[i]);
        return made;
    }

    std::unique_ptr<rt::Frame> frame;
};

// Runs a callable as an action listener.
template <class F>
class CallOnAction final : public rt::ActionListener {
public:
    explicit CallOnAction(F f) : f_(std::move(f)) {}
    void actionPerformed(const rt::ActionEvent& event) override { f_(event); }

private:
    F f_;
};

template <class F>
std::unique_ptr<rt::ActionListener> onAction(F f) {
    return std::make_unique<CallOnAction<F>>(std::move(f));
}
