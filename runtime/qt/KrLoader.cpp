// KR_Loader and the runtime entry slots it fills (see runtime/KrProtocol.h).

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "runtime/KrProtocol.h"
#include "runtime/LoaderBlock.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/FontDatabasePreload.h"
#include "runtime/qt/QtRuntime.h"
#include "runtime/qt/SplashHandover.h"

namespace rtqt {

namespace {

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

// Filled while the program's main builds its first window; done before the
// event loop runs.
std::unique_ptr<FontDatabasePreload> fontDatabase;

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
    fontDatabase = std::make_unique<FontDatabasePreload>();
    closeSplashOnFirstWindow();
    const auto bind = reinterpret_cast<kr::BindToolkitFn>(kr::acceptedComponent().descriptor[kr::BindToolkit]);
    if (bind != nullptr) bind(&toolkit);
}

void runProgram() {
    kr::acceptedComponent().main({});
    fontDatabase.reset();
    QApplication::exec();
}

}  // namespace

std::optional<std::string> runtimeOption(const std::string& name) { return kr::acceptedOption(name); }

}  // namespace rtqt

extern "C" RTQT_API int KR_Loader(kr::Word, kr::Word* descriptor) {
    using namespace rtqt;
    if (!kr::acceptComponent(descriptor)) return 0;
    kr::fillSlots(descriptor, &initRuntime, &runProgram);
    return 1;
}
