// The Windows start-up under wine64: the runtime lookup through the DLL
// map, blocks the stub refuses, the message box of the GUI program and the
// event log (the scenarios both platforms share are in
// tests/e2e/startup/SharedScenariosTest.cpp).

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "tests/e2e/wine/WineHarness.h"

namespace e2e::wine {
namespace {

// A runtime library cut short is refused by the system loader: the stub's
// message, exit code 1. (The last bytes of the unstripped library are its
// symbol table, which the loader never reads: cut there it still loads.)
TEST(WineStartup, TruncatedRuntimeIsReportedAsUnableToLoad) {
    const auto full = static_cast<std::size_t>(fs::file_size(REAL_RUNTIME));
    for (const std::size_t size : {std::size_t{1024}, std::size_t{65536}, std::size_t{400 * 1024}, full / 2,
                                   full - 4096}) {
        WineLayout layout(HANGMAN_EXE, false);
        copyTruncated(REAL_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.dll", size);
        const Result r = layout.run();
        EXPECT_EQ(r.status, 1) << size << " bytes";
        EXPECT_EQ(r.err, unableToLoad(layout.seen("rt/kovrt/ZKRN6407.dll"), layout.seenExe())) << size;
    }
}

TEST(WineStartup, BlocksTheStubRefuses) {
    for (const auto& [word, value] : expect::RefusedHeaderWords) {
        WineLayout layout;
        layout.cpb({"set-word", word, value});
        const Result r = layout.run();
        EXPECT_EQ(r.status, 1) << "word " << word << " = " << value;
        EXPECT_EQ(r.err, onStandardError(expect::InvalidBlock)) << "word " << word << " = " << value;
        EXPECT_TRUE(layout.log().empty());
    }
}

// Gives the section ".config" another 8-byte name (zero-filled) in the
// executable's section table.
void renameConfigSection(const fs::path& exe, const char* name) {
    std::fstream f(exe, std::ios::in | std::ios::out | std::ios::binary);
    std::string head(4096, '\0');
    f.read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::size_t at = head.find(std::string(".config\0", 8));
    ASSERT_NE(at, std::string::npos);
    f.clear();
    f.seekp(static_cast<std::streamoff>(at));
    f.write(name, 8);
}

TEST(WineStartup, ExecutableWithoutConfigSection) {
    // The eighth byte of the 8-byte name must be the terminating zero.
    for (const char* name : {".confix", ".configX"}) {
        WineLayout layout;
        renameConfigSection(layout.exe(), name);
        const Result r = layout.run();
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err, onStandardError(expect::NoBlock)) << name;
    }
}

TEST(WineStartup, ExecutableInAPathLongerThan260Characters) {
    WineLayout layout;
    fs::path deep = "d";
    while (layout.seen(deep).size() < 300) deep /= std::string(40, 'x');
    layout.moveExecutable(deep / "hangman.exe");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::pathTooLong(layout.seenExe())));
    EXPECT_TRUE(layout.log().empty());
}

// The GUI program shows its message in a task-modal error box titled with
// its full path, in the foreground; OK ends it with exit code 1.
TEST(WineStartup, GuiProgramShowsTheMessageBox) {
    WineLayout layout(GUI_EXE, false);
    Background program({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", layout.root().string(), WINE64,
                        layout.exe().string()},
                       layout.wineEnvironment({}), layout.root() / "program-err.txt");
    const Result box = runWindows({BOXREADER_EXE, layout.seenExe()}, sessionEnvironment(), layout.root());
    ASSERT_EQ(box.status, 0) << "no message box titled " << layout.seenExe();
    EXPECT_EQ(box.out, expect::unableToLoad(layout.seen("rt/kovrt/ZKRN6407.dll"), layout.seenExe()));
    EXPECT_EQ(box.err, "foreground");
    EXPECT_EQ(program.wait(30), 1);
}

// Folders whose names lie outside the ANSI code page, as many users'
// profile folders are named: the program starts there, and its messages
// name such paths as they are (Wine reads Unix names as UTF-8 in a UTF-8
// locale).
// The third is longer than 260 bytes as UTF-8, but well under 260 characters.
const std::string Japanese20 = [] {
    std::string name;
    for (int i = 0; i < 20; ++i) name += "日本語";
    return name;
}();
const std::string ForeignFolders[] = {"日本語/hangman", "Łódź/hangman", Japanese20 + "/" + Japanese20 + "/hangman"};
const Environment Utf8Locale{{"LANG", "C.UTF-8"}};

TEST(WineStartup, StartsFromFoldersOutsideTheCodePage) {
    for (const fs::path folder : ForeignFolders) {
        WineLayout layout(HANGMAN_EXE, false);
        layout.moveExecutable(folder / "hangman.exe");
        copyFile(TEST_RUNTIME, layout.root() / folder / "rt/kovrt/ZKRN6407.dll");
        const Result r = layout.run(Utf8Locale);
        EXPECT_EQ(r.status, 0) << folder << ": " << r.err;
        EXPECT_EQ(layout.log(), expect::startedLines(layout.seen(folder / "rt/kovrt/ZKRN6407.dll")))
            << folder;
    }
}

TEST(WineStartup, MessagesNameFoldersOutsideTheCodePageAsTheyAre) {
    for (const fs::path folder : ForeignFolders) {
        WineLayout layout(HANGMAN_EXE, false);
        layout.moveExecutable(folder / "hangman.exe");
        const Result r = layout.run(Utf8Locale);
        EXPECT_EQ(r.status, 1) << folder;
        EXPECT_EQ(r.err, unableToLoad(layout.seen(folder / "rt/kovrt/ZKRN6407.dll"), layout.seenExe()));
    }
}

TEST(WineStartup, MessageBoxNamesAFolderOutsideTheCodePageAsItIs) {
    WineLayout layout(GUI_EXE, false);
    layout.moveExecutable(fs::path(ForeignFolders[0]) / "hangman.exe");
    Background program({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", layout.root().string(), WINE64,
                        layout.exe().string()},
                       layout.wineEnvironment(Utf8Locale), layout.root() / "program-err.txt");
    const Result box = runWindows({BOXREADER_EXE, layout.seenExe()}, sessionEnvironment(Utf8Locale), layout.root());
    ASSERT_EQ(box.status, 0) << "no message box titled " << layout.seenExe();
    const std::string runtime = layout.seen(fs::path(ForeignFolders[0]) / "rt/kovrt/ZKRN6407.dll");
    EXPECT_EQ(box.out, expect::unableToLoad(runtime, layout.seenExe()));
    EXPECT_EQ(program.wait(30), 1);
}

// With an event source in the block the message is also reported as an
// error event (Wine traces it on channel eventlog), and the source is
// registered under the Application log.
TEST(WineStartup, FatalMessageGoesToTheEventLog) {
    WineLayout layout(HANGMAN_EXE, false);
    copyFile(EMPTY_KERNEL, layout.root() / "rt/kovrt/ZKRN6407.dll");
    const std::string source = "KovTest" + std::to_string(::getpid());
    layout.cpb({"add", "event-source", source, "--at", "0"});
    const Result r = layout.run({{"WINEDEBUG", "-all,err+eventlog"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(onStandardError(expect::NoLoaderEntry)), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("err:eventlog:ReportEventW L\"Unable to find loader entry\""), std::string::npos) << r.err;

    const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + source;
    const Result query = runWindows({"reg", "query", key}, sessionEnvironment(), layout.root());
    ASSERT_EQ(query.status, 0) << query.err;
    EXPECT_NE(query.out.find("EventMessageFile    REG_EXPAND_SZ    " + layout.seenExe()), std::string::npos)
        << query.out;
    EXPECT_NE(query.out.find("TypesSupported    REG_DWORD    0x7"), std::string::npos) << query.out;
}

TEST(WineStartup, WithoutEventSourceNothingIsRegisteredOrReported) {
    WineLayout layout(HANGMAN_EXE, false);
    copyFile(EMPTY_KERNEL, layout.root() / "rt/kovrt/ZKRN6407.dll");
    const Result r = layout.run({{"WINEDEBUG", "-all,err+eventlog"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::NoLoaderEntry));
}

}  // namespace
}  // namespace e2e::wine
