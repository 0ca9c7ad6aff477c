// The game played with the keys alone: keys go to whatever holds the focus,
// as they do for a player at the keyboard.

#include "AppTestSupport.h"

using apptest::driver;
using Key = rt::TestDriver::Key;
using Words = std::vector<rt::String>;

namespace {

class KeyboardTest : public apptest::GameTest {
protected:
    // Answers every modal window from now on with key, logging its text.
    void answerWithKey(Key key) {
        driver().whenModalOpens([this, key](rt::ModalWindow& modal) {
            messages.push_back({modal.title(), modal.text(), {}});
            answerWithKey(key);
            driver().pressKey(key);
        });
    }

    // "Edit", "Add" with the word typed and Enter pressed in the dialog.
    void addWordByKeys(const rt::String& word) {
        driver().whenModalOpens([word](rt::ModalWindow&) {
            driver().typeKeys(word);
            driver().pressKey(Key::Enter);
        });
        choose(1, 0);
    }

    // Tabs to the button (a few presses at most) and presses key on it.
    void pressByKeys(rt::Button& button, Key key) {
        for (int tabs = 0; tabs < 6 && !button.hasFocus(); ++tabs) driver().pressKey(Key::Tab);
        ASSERT_TRUE(button.hasFocus());
        driver().pressKey(key);
    }

    void startByKeys(const rt::String& word) {
        addWordByKeys(word);
        pressByKeys(startButton(), Key::Enter);
        ASSERT_NE(app::HangMan::gameGUI, nullptr);
    }

    // Types each guess, then Enter; the messages are answered with answer.
    // The focus is back in the guess field after every guess.
    Words guessByKeys(std::initializer_list<const char16_t*> guesses, Key answer = Key::Enter) {
        messages.clear();
        answerWithKey(answer);
        for (const char16_t* text : guesses) {
            driver().typeKeys(text);
            driver().pressKey(Key::Enter);
            EXPECT_TRUE(guessField().hasFocus()) << "after " << rt::toUtf8(text);
        }
        driver().disarm();
        return texts();
    }
};

TEST_F(KeyboardTest, AWholeGameWonWithTheKeysAlone) {
    startByKeys(u"cat");
    EXPECT_EQ(shown(), Words({u"cat"}));
    EXPECT_TRUE(game().isVisible());
    EXPECT_TRUE(guessField().hasFocus());
    EXPECT_EQ(guessByKeys({u"x", u"c", u"a"}), Words({u"This character is not in the word."}));
    EXPECT_EQ(pattern().text(), u"c a _ ");
    EXPECT_EQ(guessByKeys({u"t"}), Words({u"YOU WON!"}));
    EXPECT_EQ(letters().text(), u"x c a t ");
    EXPECT_TRUE(inputLocked());
    // Enter now presses nothing: "Go" is disabled.
    EXPECT_EQ(guessByKeys({u"q"}), Words{});
    EXPECT_EQ(letters().text(), u"x c a t ");
}

TEST_F(KeyboardTest, AWholeGameLostWithTheKeysAloneMessagesDismissedWithSpace) {
    startByKeys(u"emu");
    const rt::String wrong = u"This character is not in the word.";
    EXPECT_EQ(guessByKeys({u"a", u"b", u"c", u"d", u"f", u"g", u"h"}, Key::Space),
              Words({wrong, wrong, wrong, wrong, wrong, wrong, wrong, u"You lost.  The word was emu."}));
    EXPECT_EQ(attempts().text(), u"0");
    EXPECT_TRUE(inputLocked());
}

TEST_F(KeyboardTest, EnterInTheGuessFieldIsGoAndRefusalsKeepTheFocusThere) {
    startByKeys(u"owl");
    EXPECT_EQ(guessByKeys({u"  ", u"o", u"o"}, Key::Escape),
              Words({u"No character was inputted.", u"This character was already selected."}));
    EXPECT_EQ(pattern().text(), u"o _ _ ");
    EXPECT_EQ(attempts().text(), u"7");
}

TEST_F(KeyboardTest, TheFocusReturnsToTheGuessFieldAfterAMouseGuessAndItsMessage) {
    startWith(u"owl");
    EXPECT_TRUE(guessField().hasFocus());
    // Typed, then "Go" clicked (which takes the focus) and OK clicked.
    driver().typeKeys(u"z");
    EXPECT_EQ(messagesOf([&] { driver().pressButton(goButton()); }), Words({u"This character is not in the word."}));
    EXPECT_TRUE(guessField().hasFocus());
    driver().typeKeys(u"w");
    EXPECT_EQ(guessField().text(), u"w");
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonInFormWindowsAndDialogForms) {
    addWordByKeys(u"dog");
    // Tab to "Cancel" in the dialog and press Enter: nothing is added.
    driver().whenModalOpens([this](rt::ModalWindow&) {
        driver().typeKeys(u"cow");
        driver().pressKey(Key::Tab);
        driver().pressKey(Key::Tab);
        driver().pressKey(Key::Enter);
    });
    choose(1, 0);
    EXPECT_EQ(shown(), Words({u"dog"}));
    EXPECT_EQ(messagesOf([&] { pressByKeys(randomButton(), Key::Enter); }), Words{});
    ASSERT_NE(app::HangMan::gameGUI, nullptr);
    EXPECT_TRUE(game().isVisible());
}

}  // namespace
