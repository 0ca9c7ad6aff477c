// runapplet NAME [WIDTH HEIGHT]: runs the applet class registered as NAME in
// the runtime's applet host, in a window of WIDTH x HEIGHT pixels (400 x 300
// when not given). Closing the window ends the program with status 0.
#include <QApplication>
#include <cstdio>

#include "runtime/NumberText.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"
#include "tools/runapplet/AppletClasses.h"

namespace {

constexpr int MaxSide = 10000;

int usage() {
    std::fputs("usage: runapplet NAME [WIDTH HEIGHT]\napplet classes:", stderr);
    for (const rt::AppletClass* c = runapplet::appletClasses; c->name != nullptr; ++c) {
        std::fprintf(stderr, " %s", c->name);
    }
    std::fputs("\n", stderr);
    return 2;
}

// A side length from 1 to MaxSide pixels, or 0.
int side(const char* text) {
    const auto value = rt::parseInteger(rt::fromUtf8(text));
    return value && *value >= 1 && *value <= MaxSide ? *value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) return usage();
    if (rt::findAppletClass(runapplet::appletClasses, argv[1]) == nullptr) {
        std::fprintf(stderr, "runapplet: no applet class is named \"%s\"\n", argv[1]);
        return usage();
    }
    const int width = argc == 4 ? side(argv[2]) : 400;
    const int height = argc == 4 ? side(argv[3]) : 300;
    if (width == 0 || height == 0) {
        std::fprintf(stderr, "runapplet: WIDTH and HEIGHT must be whole numbers from 1 to %d\n", MaxSide);
        return usage();
    }
    const rt::String name = rt::fromUtf8(argv[1]);
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    rt::toolkit().hostApplet(runapplet::appletClasses, name, width, height);
    return QApplication::exec();
}
