#pragma once

#include <vector>

#include "forms/GBFrame.h"
#include "runtime/Text.h"

namespace app {

// The window in which one hangman game is played against one word: one
// character per turn, seven wrong guesses allowed. "File", "New Game" hides
// it and brings back the word-selection window.
//
// A character is a whole character: a surrogate pair is one position of the
// pattern, one guess and one entry of the letters tried. Enter in the guess
// field presses "Go", and the guess field holds the keyboard focus when the
// window opens and after every guess and its messages, so that a game can be
// played with the keys alone. Characters that a trimmed guess can never hold
// (U+0020 and below: blanks, tabs) are shown in the pattern from the start
// and need no guess.
class Game : public forms::GBFrame {
public:
    // word is not empty. Builds the window; the creator sizes and shows it.
    explicit Game(const rt::String& word);

    void buttonClicked(rt::Button& button) override;
    void menuItemSelected(rt::MenuItem& item) override;

    static constexpr int StartAttempts = 7;

private:
    void takeGuess();
    void correctGuess(char32_t c);
    void wrongGuess(char32_t c);
    void lockInput();
    // Ends the game as lost when no attempt is left.
    void checkContinue();
    // The characters tried, each followed by a blank.
    rt::String generateSelectedCharacters() const;
    // The revealed pattern, each position followed by a blank.
    rt::String generateWord() const;

    rt::String word;
    // The word's characters, one per position.
    std::u32string wordPositions;
    // Revealed pattern: '_' until the character at that position is guessed.
    std::vector<char32_t> characters;
    // Distinct characters of the word not yet guessed, in order of first
    // occurrence; empty once the game is won.
    std::vector<char32_t> wordCharacters;
    // Every character tried, in the order tried.
    std::vector<char32_t> selectedCharacters;
    int attemptsLeft = StartAttempts;

    rt::Label* lettersLabel = nullptr;
    rt::TextField* lettersText = nullptr;
    rt::Label* attemptsLabel = nullptr;
    rt::TextField* attemptsText = nullptr;
    rt::Label* wordLabel = nullptr;
    rt::TextField* wordText = nullptr;
    rt::Label* guessLabel = nullptr;
    rt::TextField* guessText = nullptr;
    rt::Button* goButton = nullptr;
    rt::MenuItem* newMI = nullptr;
};

}  // namespace app
