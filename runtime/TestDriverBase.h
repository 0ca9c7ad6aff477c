#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "runtime/TestDriver.h"

namespace rt {

// Mouse gestures carry times of their own: the presses of one gesture are
// close together, separate gestures far apart, whatever the real clock says,
// so a click count never depends on how fast a test runs. Time is the
// toolkit's event time type.
template <class Time>
class MouseClock {
public:
    Time nextGesture() { return now_ += 10'000; }
    Time withinGesture() { return now_ += 20; }

private:
    Time now_ = 1'000'000;
};

// The half of a test driver that is the same on every toolkit: the answers
// armed for modal windows and file choosers, and what the driver says on
// standard error when a test asks for something that is not there.
class TestDriverBase : public TestDriver {
public:
    void whenModalOpens(std::function<void(ModalWindow&)> handler) final;
    void whenFileChooserOpens(std::optional<String> path) final;
    String lastFileChooserDirectory() const final;
    std::vector<String> lastFileChooserTypes() const final;
    String lastFileChooserSelectedType() const final;
    void disarm() final;

    // What the driver says when a test asks for something not there.
    static void reportNoFocus();
    static void reportNoField(int index);
    static void reportNoButton(const String& caption);
    static void reportNoTextArea();

protected:
    bool fileChooserArmed() const { return fileAnswer_.has_value(); }
    // The answer armed for the next file chooser, taken: approve a path or
    // cancel (nothing inside). Nothing at all when no answer is armed.
    std::optional<std::optional<String>> takeFileAnswer();
    // What the chooser being answered was showing when it opened: its
    // folder, the file types in its list and the type selected.
    void noteFileChooser(const String& directory, std::vector<String> types, const String& selectedType);
    // Runs inside the window's nested loop: the newest armed handler takes
    // it (and may arm the next one). With none armed, says so, since the
    // test now waits.
    void answerModal(ModalWindow& modal);

private:
    // Newest last: the most recently armed answer takes the next window.
    std::vector<std::function<void(ModalWindow&)>> modalHandlers_;
    std::optional<std::optional<String>> fileAnswer_;
    String lastChooserDirectory_;
    std::vector<String> lastChooserTypes_;
    String lastChooserSelectedType_;
};

}  // namespace rt
