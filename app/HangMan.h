#pragma once

#include <memory>
#include <vector>

#include "app/Game.h"
#include "app/WordModel.h"
#include "forms/GBFrame.h"
#include "runtime/Text.h"
#include "runtime/TextFile.h"
#include "runtime/Toolkit.h"

namespace app {

// The word-selection window and the program's main class: shows the word
// list, edits, sorts, imports and exports it, and starts a game with the
// current word or with a word drawn at random.
//
// "Select Word" while the list holds words but none is current (the player
// cleared the selection) plays the first word of the list and makes it
// current, as an import would.
//
// A game window opens centred over this window. The file choosers open in
// the folder of the file last chosen; the first one in the folder of the
// sample word lists ("words" beside the program) when it exists.
class HangMan : public forms::GBFrame {
public:
    HangMan();
    ~HangMan() override;

    void buttonClicked(rt::Button& button) override;
    void listItemSelected(rt::ListBox& list) override;
    void menuItemSelected(rt::MenuItem& item) override;
    void randomStart();
    void start();

    // Program entry called by the runtime: opens the word-selection window,
    // 300 x 300, and returns. The arguments are not used.
    static void main(const std::vector<rt::String>& args);

    // The word-selection window opened by main; it lives until the process
    // ends.
    static HangMan* wordGUI;
    // The game window last started (owned by the window that started it);
    // the previous one is released when a new game replaces it.
    static Game* gameGUI;

    static constexpr char16_t NoWordsMessage[] = u"No words are in the list.";

private:
    void add();
    void alphaSort();
    // Shows the whole list again and selects the current word.
    void displayList();
    // Selects the first entry equal to the current word and scrolls to it;
    // nothing selected without one.
    void selectCurrentWord();
    void exportFile();
    void importFile();
    void lengthSort();
    // Replaces the list with the file's words (first line trimmed, lines
    // that are blank after trimming skipped) and makes the first word
    // current.
    void processData(rt::TextReader& in);
    void remove();
    void openGame();
    // Shows a file chooser in chooserFolder and remembers the chosen file's
    // folder.
    std::optional<rt::String> chooseListFile(rt::FileChooserMode mode);

    WordModel model;
    std::unique_ptr<Game> game;
    rt::String chooserFolder;

    rt::Label* wordsLabel = nullptr;
    rt::ListBox* wordList = nullptr;
    rt::Button* startButton = nullptr;
    rt::Button* randomStartButton = nullptr;
    rt::MenuItem* importMI = nullptr;
    rt::MenuItem* exportMI = nullptr;
    rt::MenuItem* addMI = nullptr;
    rt::MenuItem* removeMI = nullptr;
    rt::MenuItem* alphaSortMI = nullptr;
    rt::MenuItem* lengthSortMI = nullptr;
};

}  // namespace app
