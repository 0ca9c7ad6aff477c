#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/HangMan.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"

namespace apptest {

inline rt::TestDriver& driver() { return rt::testDriver(); }

// One modal message as the player saw it, with what the test wanted to look
// at in the window behind it at that moment.
struct Seen {
    rt::String title;
    rt::String text;
    rt::String behind;
};

// The word-selection window opened as the program does it, with handles on
// its widgets and a log of the messages answered. Each test gets a fresh
// window and a fresh temporary directory.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::HangMan::main({});
        dir = freshDirectory();
    }

    void TearDown() override {
        driver().disarm();
        delete app::HangMan::wordGUI;
        std::filesystem::remove_all(dir);
    }

    // A new empty directory under the system's temporary directory.
    static std::string freshDirectory() {
        namespace fs = std::filesystem;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0;; ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() / ("hangman-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
            if (fs::create_directory(candidate)) return candidate.string();
        }
    }

    app::HangMan& window() { return *app::HangMan::wordGUI; }
    rt::Container& pane(forms::GBFrame& frame) { return frame.frame().contentPane(); }

    rt::ListBox& list() {
        return dynamic_cast<rt::ListBox&>(dynamic_cast<rt::ScrollPane&>(pane(window()).componentAt(1)).view());
    }
    rt::Button& startButton() { return dynamic_cast<rt::Button&>(pane(window()).componentAt(2)); }
    rt::Button& randomButton() { return dynamic_cast<rt::Button&>(pane(window()).componentAt(3)); }
    static rt::MenuItem& item(forms::GBFrame& frame, int menu, int index) {
        return frame.frame().menuBar()->menuAt(menu).itemAt(index);
    }
    void choose(int menu, int index) { driver().chooseMenuItem(item(window(), menu, index)); }

    std::vector<rt::String> shown() {
        std::vector<rt::String> words;
        for (int i = 0; i < list().model().size(); ++i) words.push_back(list().model().at(i));
        return words;
    }
    std::optional<rt::String> selected() { return list().selectedValue(); }

    // Answers every modal window from now on with OK, logging it, until
    // stopMessages(). behind() is read while each one is open.
    void recordMessages() {
        driver().whenModalOpens([this](rt::ModalWindow& modal) {
            messages.push_back({modal.title(), modal.text(), behind ? behind() : rt::String()});
            recordMessages();
            modal.pressButton(u"OK");
        });
    }
    std::vector<rt::String> texts() const {
        std::vector<rt::String> result;
        for (const auto& seen : messages) result.push_back(seen.text);
        return result;
    }
    // Runs action with messages answered and returns their texts.
    std::vector<rt::String> messagesOf(const std::function<void()>& action) {
        messages.clear();
        recordMessages();
        action();
        driver().disarm();
        return texts();
    }

    // "Edit", "Add": types text into the dialog and presses button; the
    // messages that follow are answered and logged.
    void addWord(const rt::String& text, const rt::String& button = u"OK") {
        driver().whenModalOpens([this, text, button](rt::ModalWindow& dialog) {
            dialog.setFieldText(0, text);
            recordMessages();
            dialog.pressButton(button);
        });
        choose(1, 0);
    }
    void addWords(std::initializer_list<const char16_t*> words) {
        for (const char16_t* word : words) addWord(word);
    }

    std::string path(const std::string& name) const { return (std::filesystem::path(dir) / name).string(); }
    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void importFrom(const std::string& name) {
        driver().whenFileChooserOpens(rt::fromUtf8(path(name)));
        choose(0, 0);
    }
    void exportTo(const std::string& name) {
        driver().whenFileChooserOpens(rt::fromUtf8(path(name)));
        choose(0, 1);
    }

    std::string dir;
    std::vector<Seen> messages;
    std::function<rt::String()> behind;
};

// A game started from the word-selection window with one word in its list.
class GameTest : public AppTest {
protected:
    void startWith(const rt::String& word) {
        addWord(word);
        driver().pressButton(startButton());
        behind = [this] { return attempts().text(); };
    }
    app::Game& game() { return *app::HangMan::gameGUI; }
    rt::Component& part(int index) { return pane(game()).componentAt(index); }
    rt::TextField& letters() { return dynamic_cast<rt::TextField&>(part(1)); }
    rt::TextField& attempts() { return dynamic_cast<rt::TextField&>(part(3)); }
    rt::TextField& pattern() { return dynamic_cast<rt::TextField&>(part(5)); }
    rt::TextField& guessField() { return dynamic_cast<rt::TextField&>(part(7)); }
    rt::Button& goButton() { return dynamic_cast<rt::Button&>(part(8)); }

    // Types each guess and presses Go, answering the messages; returns them.
    std::vector<rt::String> guess(std::initializer_list<const char16_t*> guesses) {
        return messagesOf([&] {
            for (const char16_t* text : guesses) {
                driver().typeText(guessField(), text);
                driver().pressButton(goButton());
                EXPECT_EQ(guessField().text(), u"");
            }
        });
    }
    bool inputLocked() { return !guessField().isEditable() && !goButton().isEnabled(); }
};

}  // namespace apptest
