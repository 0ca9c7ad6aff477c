// Times the runtime's bulk paths: writing and reading a word list of
// 1,000,000 lines, and showing 1,000,000 items in a list box.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/Driver.h"
#include "runtime/qt/QtRuntime.h"

namespace {

constexpr int Lines = 1'000'000;

template <class F>
void timed(const char* what, F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%-40s %8.1f ms\n", what, took.count());
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::Toolkit& tk = rtqt::startToolkit(argc, argv);
    rt::bindToolkit(&tk);
    const std::string path = (std::filesystem::temp_directory_path() / "runtime_bench_words.txt").string();
    std::vector<rt::String> words;
    words.reserve(Lines);
    for (int i = 0; i < Lines; ++i) words.push_back(rt::fromUtf8("word" + std::to_string(i)));

    timed("write 1,000,000 lines (flushed each)", [&] {
        auto writer = rt::platform().openTextWriter(rt::fromUtf8(path));
        for (const rt::String& w : words) writer->writeLine(w);
        writer->close();
    });
    std::vector<rt::String> read;
    timed("read 1,000,000 lines", [&] {
        auto reader = rt::platform().openTextReader(rt::fromUtf8(path));
        for (rt::String line; reader->readLine(line);) read.push_back(line);
    });
    if (read != words) std::puts("read back differs from what was written");

    auto frame = tk.createFrame();
    rt::ListBox* list = tk.createListBox();
    frame->contentPane().add(*tk.createScrollPane(*list));
    frame->setSize(300, 300);
    frame->setVisible(true);
    timed("assign 1,000,000 items and show them", [&] {
        list->model().assign(read);
        rtqt::testDriver().processEvents();
    });
    timed("select and scroll to the last item", [&] {
        list->setSelectedValue(read.back(), true);
        rtqt::testDriver().processEvents();
    });
    std::filesystem::remove(path);
    return 0;
}
