#include "app/Game.h"

#include <algorithm>

#include "app/HangMan.h"

namespace app {

namespace {

bool contains(const std::vector<char32_t>& list, char32_t c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}

// A guess is trimmed of these, so they can never be guessed: the pattern
// shows them from the start and winning does not wait for them.
bool unguessable(char32_t c) { return c <= U' '; }

// Each character followed by one blank. Built in a loop rather than by
// recursion over positions, so that a very long word cannot exhaust the stack.
rt::String spaced(const std::vector<char32_t>& list) {
    rt::String text;
    text.reserve(2 * list.size());
    for (char32_t c : list) {
        rt::appendCodePoint(text, c);
        text.push_back(u' ');
    }
    return text;
}

}  // namespace

Game::Game(const rt::String& theWord)
    : word(theWord), wordPositions(rt::codePoints(theWord)), characters(wordPositions.size(), U'_') {
    // One flag per character code keeps this linear even for a very long
    // word with thousands of distinct characters.
    std::vector<bool> seen(0x110000);
    for (std::size_t i = 0; i < wordPositions.size(); ++i) {
        const char32_t c = wordPositions[i];
        if (unguessable(c)) {
            characters[i] = c;
        } else if (!seen[c]) {
            seen[c] = true;
            wordCharacters.push_back(c);
        }
    }
    const rt::String pattern = generateWord();

    newMI = addMenuItem(u"File", u"New Game");
    lettersLabel = addLabel(u"Letters Selected:", 1, 1, 1, 1);
    lettersText = addTextField(u"", 2, 1, 1, 1);
    attemptsLabel = addLabel(u"Attemps Left:", 3, 1, 1, 1);
    attemptsText = addTextField(u"7", 4, 1, 1, 1);
    wordLabel = addLabel(u"Word:", 5, 1, 1, 1);
    wordText = addTextField(pattern, 6, 1, 1, 1);
    guessLabel = addLabel(u"Guess (only lowercase characters):", 7, 1, 1, 1);
    guessText = addTextField(u"", 8, 1, 1, 1);
    goButton = addButton(u"Go", 9, 1, 1, 1);

    lettersText->setEditable(false);
    attemptsText->setEditable(false);
    wordText->setEditable(false);
    frame().setDefaultButton(goButton);
    guessText->requestFocus();
    // A word with nothing left to guess is over before it starts.
    if (wordCharacters.empty()) lockInput();
}

void Game::buttonClicked(rt::Button&) {
    takeGuess();
    guessText->requestFocus();
}

void Game::takeGuess() {
    const rt::String guess = rt::trim(guessText->text());
    if (guess.empty()) {
        messageBox(u"No character was inputted.");
        guessText->setText(u"");
        return;
    }
    const char32_t c = rt::codePoints(guess).front();
    if (contains(selectedCharacters, c)) {
        messageBox(u"This character was already selected.");
        guessText->setText(u"");
        return;
    }
    if (contains(wordCharacters, c)) {
        correctGuess(c);
    } else {
        wrongGuess(c);
    }
}

void Game::correctGuess(char32_t c) {
    selectedCharacters.push_back(c);
    wordCharacters.erase(std::find(wordCharacters.begin(), wordCharacters.end(), c));
    for (std::size_t i = 0; i < wordPositions.size(); ++i) {
        if (wordPositions[i] == c) {
            characters[i] = c;
        }
    }
    wordText->setText(generateWord());
    guessText->setText(u"");
    lettersText->setText(generateSelectedCharacters());
    if (wordCharacters.empty()) {
        lockInput();
        messageBox(u"YOU WON!");
    }
}

void Game::wrongGuess(char32_t c) {
    messageBox(u"This character is not in the word.");
    --attemptsLeft;
    attemptsText->setText(rt::decimalText(attemptsLeft));
    selectedCharacters.push_back(c);
    lettersText->setText(generateSelectedCharacters());
    guessText->setText(u"");
    checkContinue();
}

void Game::lockInput() {
    guessText->setEditable(false);
    goButton->setEnabled(false);
}

void Game::checkContinue() {
    if (attemptsLeft == 0) {
        lockInput();
        messageBox(u"You lost.  The word was " + word + u".");
    }
}

rt::String Game::generateSelectedCharacters() const { return spaced(selectedCharacters); }

rt::String Game::generateWord() const { return spaced(characters); }

void Game::menuItemSelected(rt::MenuItem&) {
    if (HangMan::wordGUI != nullptr) {
        HangMan::wordGUI->setVisible(true);
    }
    setVisible(false);
}

}  // namespace app
