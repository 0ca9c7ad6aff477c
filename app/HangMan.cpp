#include "app/HangMan.h"

#include <algorithm>
#include <new>

#include "app/WordDialog.h"
#include "runtime/Failure.h"
#include "runtime/Paths.h"

namespace app {

namespace {

// A line made only of characters a trimmed guess can never hold (U+0020 and
// below), or empty: a word of it could never be won, so import skips it as
// Add refuses it.
bool isBlank(const rt::String& line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) { return c <= u' '; });
}

// Words added by hand after an import, one at a time.
constexpr std::size_t AddedWordsRoom = 1024;

// Room for every line of the file and for words added later: neither the
// import nor the next Add then moves the words already read.
void makeRoom(WordModel::Words& list, std::size_t lines) {
    try {
        list.reserve(lines + AddedWordsRoom);
    } catch (const std::bad_alloc&) {
        // Room memory cannot give at once (millions of empty lines, a 32-bit
        // address space) is not needed: the list grows as it is read.
    }
}

// Blank lines give no words: room far beyond the words is given back.
void giveBackRoom(WordModel::Words& list) {
    if (list.capacity() - list.size() > list.size() + AddedWordsRoom) {
        list.shrink_to_fit();
    }
}

}  // namespace

HangMan* HangMan::wordGUI = nullptr;
Game* HangMan::gameGUI = nullptr;

HangMan::HangMan() : chooserFolder(rt::joinPath(rt::platform().programDirectory(), u"words")) {
    setTitle(u"Word Selection");
    wordsLabel = addLabel(u"Words:", 1, 1, 1, 1);
    wordList = addList(2, 1, 2, 1);
    startButton = addButton(u"Select Word", 3, 1, 1, 1);
    randomStartButton = addButton(u"Select Random Word", 3, 2, 1, 1);
    importMI = addMenuItem(u"File", u"Import List");
    exportMI = addMenuItem(u"File", u"Export List");
    addMI = addMenuItem(u"Edit", u"Add");
    removeMI = addMenuItem(u"Edit", u"Remove");
    alphaSortMI = addMenuItem(u"Sort", u"Sort Alphabetacaly");
    lengthSortMI = addMenuItem(u"Sort", u"Sort by Length");
    displayList();
}

HangMan::~HangMan() {
    if (gameGUI == game.get()) {
        gameGUI = nullptr;
    }
    if (wordGUI == this) {
        wordGUI = nullptr;
    }
}

void HangMan::main(const std::vector<rt::String>&) {
    // Never deleted: the window lives as long as the process, which ends
    // without tearing its windows down.
    wordGUI = new HangMan();
    wordGUI->setSize(300, 300);
    wordGUI->setVisible(true);
}

void HangMan::buttonClicked(rt::Button& button) {
    if (&button == startButton) {
        start();
    } else if (&button == randomStartButton) {
        randomStart();
    }
}

void HangMan::menuItemSelected(rt::MenuItem& item) {
    if (&item == importMI) {
        importFile();
    } else if (&item == exportMI) {
        exportFile();
    } else if (&item == addMI) {
        add();
    } else if (&item == removeMI) {
        remove();
    } else if (&item == alphaSortMI) {
        alphaSort();
    } else if (&item == lengthSortMI) {
        lengthSort();
    }
}

// The highlighted word becomes current. The list itself is unchanged, so
// the row chosen stays highlighted: of repeats of a word, selecting by value
// would highlight the first, and the arrow keys could never pass it.
void HangMan::listItemSelected(rt::ListBox&) {
    const int chosen = wordList->selectedIndex();
    model.setCurrentWord(wordList->selectedValue());
    if (chosen >= 0) wordList->setSelectedIndex(chosen);
    else selectCurrentWord();
}

// The list widget shows the model's own words (shared, not copied).
void HangMan::displayList() {
    wordList->model().share(model.getWords());
    selectCurrentWord();
}

// The first row of the current word, found by the model, which looks at a
// byte per word where the list would compare every word.
void HangMan::selectCurrentWord() {
    const auto& current = model.getCurrentWord();
    const auto row = current ? model.indexOf(*current) : std::nullopt;
    if (row) {
        wordList->setSelectedIndex(static_cast<int>(*row));
        wordList->ensureIndexIsVisible(static_cast<int>(*row));
    } else {
        wordList->clearSelection();
    }
}

void HangMan::start() {
    if (model.size() == 0) {
        messageBox(NoWordsMessage);
        return;
    }
    if (!model.getCurrentWord().has_value()) {
        model.setCurrentIndex(0);
        selectCurrentWord();
    }
    openGame();
}

void HangMan::randomStart() {
    if (model.size() == 0) {
        messageBox(NoWordsMessage);
        return;
    }
    const std::size_t n = model.size();
    // r * n can round up to n when r is just below 1 and n is large.
    const auto drawn = static_cast<std::size_t>(rt::platform().nextRandom() * static_cast<double>(n));
    model.setCurrentIndex(std::min(drawn, n - 1));
    selectCurrentWord();
    openGame();
}

void HangMan::openGame() {
    game = std::make_unique<Game>(*model.getCurrentWord());
    gameGUI = game.get();
    game->setSize(600, 450);
    game->setLocationRelativeTo(*this);
    game->setVisible(true);
    setVisible(false);
}

void HangMan::add() {
    Word holder;
    WordDialog dialog(this, holder);
    dialog.setVisible(true);
    if (dialog.getDlgCloseIndicator() != u"OK" || holder.getWord().empty()) {
        return;
    }
    if (const auto message = model.add(holder.getWord())) {
        messageBox(*message);
    } else {
        // The new word is the only one of its text, and the last: selecting
        // its row needs no search through the list.
        const int row = static_cast<int>(model.size() - 1);
        wordList->model().sharedItemInserted(row);
        wordList->setSelectedIndex(row);
    }
}

void HangMan::remove() {
    const int selected = wordList->selectedIndex();
    if (model.size() == 0 || selected < 0) {
        return;
    }
    const auto current = model.remove(static_cast<std::size_t>(selected));
    wordList->model().sharedItemRemoved(selected);
    // The neighbour's own row: of repeats of its text, the one beside the
    // removed row, found without a search through the list.
    wordList->setSelectedIndex(current ? static_cast<int>(*current) : -1);
}

void HangMan::alphaSort() {
    model.alphaSort();
    displayList();
}

void HangMan::lengthSort() {
    model.lengthSort();
    displayList();
}

std::optional<rt::String> HangMan::chooseListFile(rt::FileChooserMode mode) {
    static const std::vector<rt::FileType> types{{u"Word lists", u"*.txt"}, {u"All files", u""}};
    auto path = rt::toolkit().chooseFile(frame(), mode, chooserFolder, types);
    if (path) {
        chooserFolder = rt::parentFolder(*path);
    }
    return path;
}

void HangMan::exportFile() {
    const auto path = chooseListFile(rt::FileChooserMode::Save);
    if (!path) {
        return;
    }
    std::unique_ptr<rt::TextWriter> out;
    try {
        out = rt::platform().openTextWriter(*path);
    } catch (const rt::IoError& error) {
        messageBox(u"Error opening output file " + error.description());
        return;
    }
    // The writer replaces the old file only when close() succeeds, so a
    // failure here leaves whatever file was there before untouched.
    try {
        for (const auto& word : model.getWords()) {
            out->writeLine(word);
        }
        out->close();
    } catch (const rt::IoError& error) {
        messageBox(u"Error writing output file " + error.description() +
                   u"\nThe list was not exported; the file was left as it was.");
    }
}

void HangMan::importFile() {
    const auto path = chooseListFile(rt::FileChooserMode::Open);
    if (!path) {
        return;
    }
    try {
        const auto in = rt::platform().openTextReader(*path);
        processData(*in);
        in->close();
    } catch (const rt::IoError& error) {
        messageBox(u"Error opening input file " + error.description());
    } catch (const std::bad_alloc&) {
        // The words outgrew memory: the list being built is gone again, the
        // old one was never touched.
        messageBox(u"Error in file input:\n" + *path + u" (Not enough memory for the list)");
    }
}

void HangMan::processData(rt::TextReader& in) {
    try {
        WordModel::Words list;
        rt::String line;
        if (in.readLine(line)) {
            makeRoom(list, in.remainingLinesBound() + 1);
            line = rt::trim(line);
            do {
                if (!isBlank(line)) {
                    list.push_back(std::move(line));
                }
            } while (in.readLine(line));
        }
        giveBackRoom(list);
        model.setList(std::move(list));
    } catch (const rt::IoError& error) {
        messageBox(u"Error in file input:\n" + error.description());
    }
    if (model.size() > 0) {
        model.setCurrentIndex(0);
    } else {
        model.setCurrentWord(std::nullopt);
    }
    displayList();
}

}  // namespace app
