// KR_Loader and the runtime entry slots it fills (see runtime/KrProtocol.h).

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "runtime/KrProtocol.h"
#include "runtime/RuntimeBlock.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"
#include "runtime/qt/SplashHandover.h"

namespace rtqt {

namespace {

struct Loaded {
    kr::Word* descriptor = nullptr;
    kr::MainFn main = nullptr;
    std::map<std::string, std::string> options;
};

Loaded loaded;

// The runtime options of the block; items that are not options are reported
// and skipped.
std::map<std::string, std::string> takeOptions(const std::string& text) {
    rt::RuntimeOptions options = rt::parseRuntimeOptions(text);
    for (const std::string& item : options.ignored) {
        std::fprintf(stderr, "KOV runtime: ignoring the runtime option \"%s\"\n", item.c_str());
    }
    return std::move(options.values);
}

kr::MainFn findMainClass(const kr::MainClass* table, const std::string& name) {
    for (const kr::MainClass* entry = table; entry != nullptr && entry->name != nullptr; ++entry) {
        if (name == entry->name) return entry->main;
    }
    return nullptr;
}

int refuse(const std::string& reason) {
    std::fprintf(stderr, "KOV runtime: cannot start the program: %s.\n", reason.c_str());
    return 0;
}

bool displayAvailable() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// The program's arguments, kept for the life of the application object.
struct Arguments {
    std::vector<std::string> values;
    std::vector<char*> pointers;
    int count = 0;
};

Arguments& processArguments() {
    static Arguments args;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        args.values.push_back(all.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (args.values.empty()) args.values.emplace_back("hangman");
    for (std::string& value : args.values) args.pointers.push_back(value.data());
    args.pointers.push_back(nullptr);
    args.count = static_cast<int>(args.values.size());
    return args;
}

QtMessageHandler qtDefault = nullptr;

// While the application object starts: a display that cannot be opened ends
// the program with a message and status 1, not with Qt's abort.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        qtDefault(type, context, message);
        return;
    }
    std::fprintf(stderr, "The program cannot open its display: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void initRuntime(kr::Word) {
    if (!displayAvailable()) {
        std::fputs("The program needs a graphical display, but none is set (DISPLAY or WAYLAND_DISPLAY);"
                   " to run without one, set QT_QPA_PLATFORM=offscreen.\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    Arguments& args = processArguments();
    qtDefault = qInstallMessageHandler(startupMessages);
    rt::Toolkit& toolkit = startToolkit(args.count, args.pointers.data());
    qInstallMessageHandler(qtDefault);
    closeSplashOnFirstWindow();
    if (auto bind = reinterpret_cast<kr::BindToolkitFn>(loaded.descriptor[kr::BindToolkit])) bind(&toolkit);
}

void runProgram() {
    loaded.main({});
    QApplication::exec();
}

}  // namespace

std::optional<std::string> runtimeOption(const std::string& name) {
    auto found = loaded.options.find(name);
    if (found == loaded.options.end()) return std::nullopt;
    return found->second;
}

}  // namespace rtqt

extern "C" RTQT_API int KR_Loader(kr::Word, kr::Word* descriptor) {
    using namespace rtqt;
    if (descriptor == nullptr || descriptor[kr::Magic] != kr::DescriptorMagic) {
        return refuse("the component descriptor has no \"CDES\" magic");
    }
    if (descriptor[kr::Version] != kr::DescriptorVersion) return refuse("the component descriptor is not version 3");
    std::string reason;
    const auto texts = rt::readRuntimeBlock(reinterpret_cast<const unsigned char*>(descriptor[kr::Block]),
                                 static_cast<std::size_t>(descriptor[kr::BlockSize]), reason);
    if (!texts) return refuse(reason);
    if (!texts->mainClass || texts->mainClass->empty()) return refuse("the configuration block names no main class");
    const kr::MainFn main = findMainClass(reinterpret_cast<const kr::MainClass*>(descriptor[kr::MainClasses]),
                                          *texts->mainClass);
    if (main == nullptr) return refuse("the main class \"" + *texts->mainClass + "\" is not in the component");

    loaded = {descriptor, main, takeOptions(texts->options.value_or(std::string()))};
    auto* table1 = reinterpret_cast<kr::Word*>(descriptor[kr::EntryTable1]);
    table1[kr::HeaderWords + kr::InitSlot] = reinterpret_cast<kr::Word>(&initRuntime);
    table1[kr::HeaderWords + kr::RunSlot] = reinterpret_cast<kr::Word>(&runProgram);
    return 1;
}
