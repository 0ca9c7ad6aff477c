// Times import, both sorts, the list display refill and export on large word
// lists, through the real word-selection window on Qt's offscreen platform,
// next to naive references: the plain selection sort (on 20,000 words), the
// coreutils sort for the alphabetical order, plain stream reading and
// writing, and a display refilled one append at a time.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/HangMan.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/Driver.h"
#include "runtime/qt/QtRuntime.h"

namespace {

using Words = std::vector<rt::String>;

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void report(std::size_t count, const char* what, double time) {
    std::printf("%9zu words  %-44s %9.3f s\n", count, what, time);
}

Words randomWords(std::size_t count) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter(u'a', u'z');
    Words words(count);
    for (auto& word : words) {
        for (int k = length(random); k > 0; --k) word.push_back(static_cast<char16_t>(letter(random)));
    }
    return words;
}

void writeWords(const std::string& path, const Words& words) {
    std::ofstream out(path);
    for (const auto& word : words) out << rt::toUtf8(word) << '\n';
}

Words readWords(const std::string& path) {
    Words words;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) words.push_back(rt::fromUtf8(line));
    return words;
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

class Bench {
public:
    explicit Bench(std::string dir) : dir(std::move(dir)) {
        app::HangMan::main({});
        window = app::HangMan::wordGUI;
    }

    void run(std::size_t count) {
        const Words words = randomWords(count);
        const std::string source = dir + "/words.txt";
        writeWords(source, words);

        report(count, "import (File, Import List)", seconds([&] { importFrom(source); }));
        report(count, "  reference: std::getline into a vector", seconds([&] { readWords(source); }));
        app::WordModel model;
        model.setList(words);
        report(count, "WordModel::alphaSort", seconds([&] { model.alphaSort(); }));
        model.setList(words);
        report(count, "WordModel::lengthSort", seconds([&] { model.lengthSort(); }));
        report(count, "alphabetical sort (with display)", seconds([&] { choose(2, 0); }));
        importFrom(source);
        report(count, "length sort (with display)", seconds([&] { choose(2, 1); }));
        report(count, "display refill (a list click)", seconds([&] { window->listItemSelected(list()); }));
        report(count, "export (File, Export List)", seconds([&] { exportTo(dir + "/out.txt"); }));
        report(count, "  reference: std::ofstream writing", seconds([&] { writeWords(dir + "/plain.txt", words); }));
        const std::string sortCommand = "LC_ALL=C sort " + source + " -o " + dir + "/sorted.txt";
        report(count, "  reference: coreutils sort (LC_ALL=C)", seconds([&] {
                   if (std::system(sortCommand.c_str()) != 0) std::puts("sort failed");
               }));
    }

    void runReferences(std::size_t count) {
        Words alpha = randomWords(count);
        Words byLength = alpha;
        report(count, "reference: plain selection sort, alphabetical", seconds([&] {
                   plainSelectionSort(alpha, [](const rt::String& a, const rt::String& b) { return a < b; });
               }));
        report(count, "reference: plain selection sort, length", seconds([&] {
                   plainSelectionSort(byLength,
                                      [](const rt::String& a, const rt::String& b) { return a.size() < b.size(); });
               }));
        rt::ListModel& model = list().model();
        report(count, "reference: display refilled by appends", seconds([&] {
                   model.clear();
                   for (const auto& word : alpha) model.append(word);
               }));
    }

private:
    rt::TestDriver& driver() { return rtqt::testDriver(); }
    void choose(int menu, int index) {
        driver().chooseMenuItem(window->frame().menuBar()->menuAt(menu).itemAt(index));
    }
    void importFrom(const std::string& path) {
        driver().whenFileChooserOpens(rt::fromUtf8(path));
        choose(0, 0);
    }
    void exportTo(const std::string& path) {
        driver().whenFileChooserOpens(rt::fromUtf8(path));
        choose(0, 1);
    }
    rt::ListBox& list() {
        auto& pane = dynamic_cast<rt::ScrollPane&>(window->frame().contentPane().componentAt(1));
        return dynamic_cast<rt::ListBox&>(pane.view());
    }

    std::string dir;
    app::HangMan* window = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    char pattern[] = "/tmp/hangman-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::vector<std::size_t> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::stoul(argv[i]));
    if (counts.empty()) counts = {200000, 1000000};

    Bench bench(dir);
    bench.runReferences(20000);
    for (std::size_t count : counts) bench.run(count);
    std::filesystem::remove_all(dir);
    return 0;
}
