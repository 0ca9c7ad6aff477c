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

TEST_F(GameTest, AWordWithABlankCanOnlyBeLost) {
    startWith(u"ice cream");
    EXPECT_EQ(guess({u"i", u"c", u"e", u"r", u"a", u"m"}), Words{});
    EXPECT_EQ(pattern().text(), u"i c e _ c r e a m ");
    EXPECT_FALSE(inputLocked());
    EXPECT_EQ(guess({u" "}), Words({u"No character was inputted."}));
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

TEST_F(GameTest, AVeryLongWordShowsItsWholePattern) {
    writeFile("long.txt", std::string(100000, 'w') + "o\n");
    importFrom("long.txt");
    driver().pressButton(startButton());
    EXPECT_EQ(pattern().text().size(), 200002u);
    EXPECT_EQ(guess({u"w"}), Words{});
    EXPECT_TRUE(pattern().text().ends_with(u"w w _ "));
    EXPECT_EQ(guess({u"o"}), Words({u"YOU WON!"}));
}
