#include "AppTestSupport.h"

using apptest::driver;
using Words = std::vector<rt::String>;

using GameTest = apptest::GameTest;

TEST_F(GameTest, OpensWithItsCaptionsDisplaysAndMenu) {
    startWith(u"apple");
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(game().isVisible());
    EXPECT_EQ(game().getTitle(), u" ");
    EXPECT_EQ(game().frame().size(), (rt::Size{600, 450}));
    EXPECT_EQ(*game().frame().menuBar()->menuAt(0).title(), u"File");
    EXPECT_EQ(item(game(), 0, 0).text(), u"New Game");
    Words captions;
    for (int i : {0, 2, 4, 6}) captions.push_back(dynamic_cast<rt::Label&>(part(i)).text());
    EXPECT_EQ(captions, Words({u"Letters Selected:", u"Attemps Left:", u"Word:",
                               u"Guess (only lowercase characters):"}));
    EXPECT_EQ(goButton().text(), u"Go");
    EXPECT_EQ(letters().text(), u"");
    EXPECT_EQ(attempts().text(), u"7");
    EXPECT_EQ(pattern().text(), u"_ _ _ _ _ ");
    EXPECT_FALSE(letters().isEditable() || attempts().isEditable() || pattern().isEditable());
    EXPECT_TRUE(guessField().isEditable());
}

TEST_F(GameTest, AWholeGameWonRevealsRepeatedLettersAtOnce) {
    startWith(u"apple");
    EXPECT_EQ(guess({u"p"}), Words{});
    EXPECT_EQ(pattern().text(), u"_ p p _ _ ");
    EXPECT_EQ(letters().text(), u"p ");
    EXPECT_EQ(guess({u" a ", u"lx"}), Words{});  // only the first character counts
    EXPECT_EQ(pattern().text(), u"a p p l _ ");
    EXPECT_EQ(guess({u"e"}), Words({u"YOU WON!"}));
    EXPECT_EQ(pattern().text(), u"a p p l e ");
    EXPECT_EQ(letters().text(), u"p a l e ");
    EXPECT_EQ(attempts().text(), u"7");
    EXPECT_TRUE(inputLocked());
}

TEST_F(GameTest, ACharacterBeyondSixteenBitsIsOnePositionOneGuessAndCanBeWon) {
    const rt::String smile = u"\U0001F600";
    startWith(u"a" + smile + u"b" + smile);
    EXPECT_EQ(pattern().text(), u"_ _ _ _ ");
    EXPECT_EQ(guess({(smile + u"x").c_str()}), Words{});  // the whole first character counts
    EXPECT_EQ(pattern().text(), u"_ " + smile + u" _ " + smile + u" ");
    EXPECT_EQ(letters().text(), smile + u" ");
    EXPECT_EQ(guess({smile.c_str()}), Words({u"This character was already selected."}));
    EXPECT_EQ(guess({u"\U0001F601"}), Words({u"This character is not in the word."}));  // same high half
    EXPECT_EQ(guess({u"a", u"b"}), Words({u"YOU WON!"}));
    EXPECT_EQ(pattern().text(), u"a " + smile + u" b " + smile + u" ");
    EXPECT_EQ(letters().text(), smile + u" \U0001F601 a b ");
    EXPECT_EQ(attempts().text(), u"6");
    EXPECT_TRUE(inputLocked());
}

TEST_F(GameTest, RepeatsAndBlankGuessesCostNothing) {
    startWith(u"cat");
    EXPECT_EQ(guess({u"x", u"x", u"   ", u"", u"c", u"c"}),
              Words({u"This character is not in the word.", u"This character was already selected.",
                     u"No character was inputted.", u"No character was inputted.",
                     u"This character was already selected."}));
    EXPECT_EQ(attempts().text(), u"6");
    EXPECT_EQ(letters().text(), u"x c ");
    EXPECT_EQ(pattern().text(), u"c _ _ ");
    EXPECT_EQ(guess({u"A"}), Words({u"This character is not in the word."}));  // case counts
    EXPECT_EQ(attempts().text(), u"5");
}

TEST_F(GameTest, AWholeGameLostShowsEveryMessageWithTheOldCountStillDisplayed) {
    startWith(u"cat");
    EXPECT_EQ(guess({u"a"}), Words{});
    const Words seen = guess({u"b", u"d", u"e", u"f", u"g", u"h", u"i"});
    const rt::String wrong = u"This character is not in the word.";
    EXPECT_EQ(seen, Words({wrong, wrong, wrong, wrong, wrong, wrong, wrong, u"You lost.  The word was cat."}));
    Words countsBehind;
    for (const auto& message : messages) countsBehind.push_back(message.behind);
    EXPECT_EQ(countsBehind, Words({u"7", u"6", u"5", u"4", u"3", u"2", u"1", u"0"}));
    EXPECT_EQ(attempts().text(), u"0");
    EXPECT_EQ(letters().text(), u"a b d e f g h i ");
    EXPECT_EQ(pattern().text(), u"_ a _ ");
    EXPECT_TRUE(inputLocked());
}

TEST_F(GameTest, BlanksAndControlCharactersShowFromTheStartSoSuchWordsCanBeWon) {
    startWith(u"ice cream");
    EXPECT_EQ(pattern().text(), u"_ _ _   _ _ _ _ _ ");
    EXPECT_EQ(guess({u" "}), Words({u"No character was inputted."}));
    EXPECT_EQ(guess({u"i", u"c", u"e", u"r", u"a"}), Words{});
    EXPECT_FALSE(inputLocked());
    EXPECT_EQ(guess({u"m"}), Words({u"YOU WON!"}));
    EXPECT_EQ(pattern().text(), u"i c e   c r e a m ");
    EXPECT_EQ(letters().text(), u"i c e r a m ");
    EXPECT_TRUE(inputLocked());

    // A tab (below U+0020 like the blank) is shown as it is, too.
    app::Game tabbed(u"a\tb");
    const rt::TextField& tabbedPattern = dynamic_cast<rt::TextField&>(pane(tabbed).componentAt(5));
    EXPECT_EQ(tabbedPattern.text(), u"_ \t _ ");
}

TEST_F(GameTest, AWordOfBlanksAloneHasNothingToGuessAndIsOverAtOnce) {
    app::Game blanks(u"   ");
    const auto& field = [&](int index) -> rt::Component& { return pane(blanks).componentAt(index); };
    EXPECT_EQ(dynamic_cast<rt::TextField&>(field(5)).text(), u"      ");
    EXPECT_FALSE(dynamic_cast<rt::TextField&>(field(7)).isEditable());
    EXPECT_FALSE(dynamic_cast<rt::Button&>(field(8)).isEnabled());
}

TEST_F(GameTest, NewGameReturnsToTheListAsItWasAndANewGameStartsFresh) {
    addWords({u"owl", u"lynx"});
    driver().clickListRow(list(), 0, 1);
    startWith(u"emu");
    guess({u"z"});
    driver().chooseMenuItem(item(game(), 0, 0));
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(game().isVisible());
    EXPECT_EQ(shown(), Words({u"owl", u"lynx", u"emu"}));
    EXPECT_EQ(selected(), u"emu");

    driver().pressButton(startButton());
    EXPECT_EQ(attempts().text(), u"7");
    EXPECT_EQ(letters().text(), u"");
    EXPECT_EQ(pattern().text(), u"_ _ _ ");
}

namespace {

rt::Point centre(const rt::Window& window) {
    return {window.location().x + window.size().width / 2, window.location().y + window.size().height / 2};
}

// Locations count the window frame and sizes do not, so centres of windows
// centred on each other differ by up to a frame's width.
testing::AssertionResult centredOver(const rt::Window& window, const rt::Window& owner) {
    const rt::Point a = centre(window);
    const rt::Point b = centre(owner);
    if (std::abs(a.x - b.x) <= 4 && std::abs(a.y - b.y) <= 4) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "centre " << a.x << "," << a.y << " is not over " << b.x << "," << b.y;
}

}  // namespace

TEST_F(GameTest, WindowsOpenCentredOverTheirOwnerAndNewGameBringsTheListBackWhereItWas) {
    window().frame().setLocation({300, 200});
    driver().whenModalOpens([&](rt::ModalWindow& dialog) {
        EXPECT_TRUE(centredOver(*dialog.window(), window().frame()));
        dialog.setFieldText(0, u"emu");
        dialog.pressButton(u"OK");
    });
    choose(1, 0);
    ASSERT_EQ(shown(), Words({u"emu"}));

    driver().pressButton(startButton());
    EXPECT_TRUE(centredOver(game().frame(), window().frame()));
    driver().whenModalOpens([&](rt::ModalWindow& message) {
        EXPECT_TRUE(centredOver(*message.window(), game().frame()));
        message.pressButton(u"OK");
    });
    driver().typeText(guessField(), u"z");
    driver().pressButton(goButton());
    EXPECT_EQ(attempts().text(), u"6");

    for (int round = 0; round < 2; ++round) {
        driver().chooseMenuItem(item(game(), 0, 0));
        EXPECT_EQ(window().frame().location(), (rt::Point{300, 200}));
        driver().pressButton(startButton());
    }
}

TEST_F(GameTest, AVeryLongWordShowsItsWholePattern) {
    writeFile("long.txt", std::string(100000, 'w') + "o\n");
    importFrom("long.txt");
    driver().pressButton(startButton());
    EXPECT_EQ(pattern().text().size(), 200002u);
    EXPECT_EQ(guess({u"w"}), Words{});
    EXPECT_TRUE(pattern().text().ends_with(u"w w _ "));
    EXPECT_EQ(guess({u"o"}), Words({u"YOU WON!"}));
}
