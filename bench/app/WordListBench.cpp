#include "bench/app/WordListBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "app/HangMan.h"
#include "runtime/Platform.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"

namespace bench {

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Random words of 3 to 12 lowercase letters, written as generated: no list
// of them stays in this process's memory.
void writeRandomWords(const std::string& path, std::size_t count) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::ofstream out(path);
    std::string word;
    for (std::size_t i = 0; i < count; ++i) {
        word.clear();
        for (int k = length(random); k > 0; --k) word.push_back(static_cast<char>(letter(random)));
        out << word << '\n';
    }
}

Words readWords(const std::string& path) {
    Words words;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) words.push_back(rt::fromUtf8(line));
    return words;
}

void writeWords(const std::string& path, const Words& words) {
    std::ofstream out(path);
    for (const auto& word : words) out << rt::toUtf8(word) << '\n';
}

// What the export does after the chooser: the platform's text writer,
// through its safe replace.
void writeThroughPlatform(const std::string& path, const Words& words) {
    const auto out = rt::platform().openTextWriter(rt::fromUtf8(path));
    for (const auto& word : words) out->writeLine(word);
    out->close();
}

template <class Before>
void plainSelectionSort(Words& words, Before before) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::size_t m = i;
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            if (before(words[j], words[m])) m = j;
        }
        if (m != i) std::swap(words[i], words[m]);
    }
}

void printFigure(const char* what, double value, const char* unit) { std::printf("  %-56s %9.3f %s\n", what, value, unit); }

void printRatio(const char* what, double subject, double reference, double goal) {
    std::printf("  %-56s %9.2f x   (goal <= %.1f x)  %s\n", what, subject / reference, goal,
                subject / reference <= goal ? "met" : "NOT MET");
}

class Bench {
public:
    // The words of source, count lines; when generate is set, count random
    // words are written there first.
    Bench(const WordListPlatform& platform, std::string dir, std::string source, std::size_t count, bool generate)
        : platform(platform), dir(std::move(dir)), count(count), source(std::move(source)), generate(generate) {
        app::HangMan::main({});
        window = app::HangMan::wordGUI;
        driver().processEvents();
    }

    // The empty program, then the same with the list imported once.
    void measureMemory() {
        if (generate) writeRandomWords(source, count);
        platform.releaseFreeMemory();
        const double empty = platform.residentMegabytes();
        importAndDraw(source);
        const double loaded = platform.residentMegabytes();
        std::printf("%zu words, resident memory\n", count);
        printFigure("empty program", empty, "MB");
        printFigure("list loaded", loaded, "MB");
        printFigure("above the empty program (goal <= 70 MB)", loaded - empty, "MB");
    }

    void run(int rounds) {
        std::vector<double> import, chooser, fromOk, getline, alpha, sortReference, length, exporting, saveChooser,
            exportFromOk, writer, ofstream, add, removeLast, removeMiddle;
        const std::string empty = dir + "/empty.txt";
        std::ofstream{empty};
        // Like an import after the first, the reference replaces a list of
        // the same size.
        Words read = readWords(source);
        for (int round = 0; round < rounds; ++round) {
            import.push_back(seconds([&] { importAndDraw(source); }));
            settle();
            getline.push_back(seconds([&] { read = readWords(source); }));
            alpha.push_back(seconds([&] { chooseAndDraw(2, 0); }));
            sortReference.push_back(platform.sortReference(dir, source, read));
            importAndDraw(source);
            settle();
            length.push_back(seconds([&] { chooseAndDraw(2, 1); }));
            exporting.push_back(seconds([&] { exportTo(dir + "/out.txt"); }));
            ofstream.push_back(seconds([&] { writeWords(dir + "/plain.txt", read); }));
            writer.push_back(seconds([&] { writeThroughPlatform(dir + "/writer.txt", read); }));
            settle();
            add.push_back(addWord(u"zzzz" + rt::decimalText(round)));
            removeLast.push_back(seconds([&] { chooseAndDraw(1, 1); }));
            list().setSelectedIndex(static_cast<int>(count / 2));
            removeMiddle.push_back(seconds([&] { chooseAndDraw(1, 1); }));
            // What an import costs besides the words: the chooser and an
            // empty list drawn in place of an empty one; what an export
            // costs besides them: the save chooser and an empty file
            // written. Less those, an import or export is what the user
            // waits for after the chooser's OK.
            importAndDraw(empty);
            settle();
            chooser.push_back(seconds([&] { importAndDraw(empty); }));
            fromOk.push_back(import.back() - chooser.back());
            saveChooser.push_back(seconds([&] { exportTo(dir + "/empty-out.txt"); }));
            exportFromOk.push_back(exporting.back() - saveChooser.back());
            importAndDraw(source);
            settle();
        }
        std::printf("%zu words, medians of %d rounds\n", count, rounds);
        printFigure("import (File, Import List), menu to list drawn", median(import), "s");
        printFigure("  import of an empty file (chooser, drawing)", median(chooser), "s");
        printFigure("  import from the chooser's OK (difference per round)", median(fromOk), "s");
        printFigure("  reference: std::getline into a vector", median(getline), "s");
        printRatio("  import, menu to drawn / getline", median(import), median(getline), 1.0);
        printRatio("  import from the chooser's OK / getline", median(fromOk), median(getline), 1.0);
        printFigure("alphabetical sort with display", median(alpha), "s");
        printFigure(("  reference: " + platform.sortReferenceName).c_str(), median(sortReference), "s");
        printRatio("  alphabetical sort / sort reference", median(alpha), median(sortReference), 0.5);
        printFigure("length sort with display (goal <= 0.1 s)", median(length), "s");
        printFigure("export (File, Export List)", median(exporting), "s");
        printFigure("  reference: std::ofstream writing", median(ofstream), "s");
        printFigure("  export of an empty list (chooser, an empty file)", median(saveChooser), "s");
        printFigure("  export from the chooser's OK (difference per round)", median(exportFromOk), "s");
        printRatio("  export / ofstream", median(exporting), median(ofstream), 1.5);
        printRatio("  export from the chooser's OK / ofstream", median(exportFromOk), median(ofstream), 1.5);
        printFigure("  the export's text writer alone (no chooser)", median(writer), "s");
        printRatio("  text writer alone / ofstream", median(writer), median(ofstream), 1.5);
        printFigure("add one word, OK to drawn (goal <= 0.020 s)", median(add), "s");
        printFigure("remove the last word, drawn (goal <= 0.020 s)", median(removeLast), "s");
        printFigure("remove a middle word, drawn (goal <= 0.020 s)", median(removeMiddle), "s");
    }

    void runSelectionSortReference(std::size_t n) {
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> letter(u'a', u'z');
        Words alpha(n);
        for (auto& word : alpha) {
            for (int k = 3 + static_cast<int>(random() % 10); k > 0; --k) word.push_back(static_cast<char16_t>(letter(random)));
        }
        Words byLength = alpha;
        std::printf("%zu words, the quadratic sorts the fast ones replace\n", n);
        printFigure("plain selection sort, alphabetical", seconds([&] {
                        plainSelectionSort(alpha, [](const rt::String& a, const rt::String& b) { return a < b; });
                    }),
                    "s");
        printFigure("plain selection sort, length", seconds([&] {
                        plainSelectionSort(byLength, [](const rt::String& a, const rt::String& b) {
                            return a.size() < b.size();
                        });
                    }),
                    "s");
    }

private:
    // A pause a user always takes between steps: a long list replaced is
    // freed on a thread of its own while the user looks at the new one, and
    // under Wine an Add straight after the files this benchmark writes took
    // 15 ms more than after this pause (a user reaches the Add dialog's OK
    // only after typing the word). The next figure waits, so that it does
    // not share the processor with what the last step left running.
    static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(300)); }

    rt::TestDriver& driver() { return rt::testDriver(); }
    void choose(int menu, int index) {
        driver().chooseMenuItem(window->frame().menuBar()->menuAt(menu).itemAt(index));
    }
    void chooseAndDraw(int menu, int index) {
        choose(menu, index);
        driver().processEvents();
    }
    void importAndDraw(const std::string& path) {
        driver().whenFileChooserOpens(rt::fromUtf8(path));
        chooseAndDraw(0, 0);
    }
    void exportTo(const std::string& path) {
        driver().whenFileChooserOpens(rt::fromUtf8(path));
        choose(0, 1);
    }
    // Seconds from the dialog's OK to the list drawn with the word.
    double addWord(const rt::String& word) {
        std::chrono::steady_clock::time_point pressed;
        driver().whenModalOpens([word, &pressed](rt::ModalWindow& dialog) {
            dialog.setFieldText(0, word);
            pressed = std::chrono::steady_clock::now();
            dialog.pressButton(u"OK");
        });
        chooseAndDraw(1, 0);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();
    }
    rt::ListBox& list() {
        auto& pane = dynamic_cast<rt::ScrollPane&>(window->frame().contentPane().componentAt(1));
        return dynamic_cast<rt::ListBox&>(pane.view());
    }

    const WordListPlatform& platform;
    std::string dir;
    std::size_t count;
    std::string source;
    bool generate;
    app::HangMan* window = nullptr;
};

}  // namespace

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int runWordListBench(int argc, char** argv, const WordListPlatform& platform) {
    const std::string words = argc > 1 ? argv[1] : "1000000";
    const bool generate = !words.empty() && std::all_of(words.begin(), words.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int rounds = argc > 2 ? std::stoi(argv[2]) : 5;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("hangman-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    if (!generate && !std::filesystem::is_regular_file(words)) {
        std::fprintf(stderr, "no word list file %s\n", words.c_str());
        return 2;
    }
    std::filesystem::create_directory(dir);
    {
        const std::string source = generate ? (dir / "words.txt").string() : words;
        const std::size_t count = generate ? std::stoul(words) : readWords(source).size();
        if (!generate) std::printf("the words of %s\n", source.c_str());
        Bench bench(platform, dir.string(), source, count, generate);
        bench.measureMemory();
        bench.run(rounds);
        bench.runSelectionSortReference(20000);
    }
    std::filesystem::remove_all(dir);
    return 0;
}

}  // namespace bench
