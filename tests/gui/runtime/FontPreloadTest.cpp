// The fontconfig preload, each case in a process of its own: fontconfig's
// configuration is loaded once per process.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/qt/FontPreload.h"

namespace {

namespace fs = std::filesystem;

// A configuration that names no font directory: loaded after the preload
// has gone, it would leave no font at all.
fs::path emptyConfiguration() {
    const fs::path file = fs::temp_directory_path() / ("font-preload-" + std::to_string(getpid()) + ".conf");
    std::ofstream(file) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    return file;
}

int systemFontCount() {
    const FcFontSet* fonts = FcConfigGetFonts(FcConfigGetCurrent(), FcSetSystem);
    return fonts == nullptr ? 0 : fonts->nfont;
}

// Qt must find the configuration loaded, or it loads it a second time.
TEST(FontPreloadTest, TheConfigurationIsLoadedWhenThePreloadEnds) {
    const fs::path empty = emptyConfiguration();
    EXPECT_EXIT(
        {
            { const rtqt::FontPreload preload; }
            setenv("FONTCONFIG_FILE", empty.c_str(), 1);
            std::exit(systemFontCount() > 0 ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", empty.c_str(), 1);
            std::exit(systemFontCount() == 0 ? 0 : 3);
        },
        testing::ExitedWithCode(0), "")
        << "the configuration without the preload names no fonts";
    fs::remove(empty);
}

// The configuration is read under the locale the application will run in.
TEST(FontPreloadTest, TheLocaleComesFromTheEnvironmentBeforeTheLoad) {
    EXPECT_EXIT(
        {
            setenv("LC_ALL", "C.UTF-8", 1);
            { const rtqt::FontPreload preload; }
            std::exit(std::string(std::setlocale(LC_ALL, nullptr)) == "C.UTF-8" ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}

// A configuration that does not parse: fontconfig falls back to its
// built-in one, and the preload still ends.
TEST(FontPreloadTest, AConfigurationThatDoesNotParseStillEnds) {
    const fs::path broken = fs::temp_directory_path() / ("font-preload-broken-" + std::to_string(getpid()) + ".conf");
    std::ofstream(broken) << "<fontconfig><dir>";
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", broken.c_str(), 1);
            { const rtqt::FontPreload preload; }
            std::exit(FcConfigGetCurrent() != nullptr ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
    fs::remove(broken);
}

}  // namespace
