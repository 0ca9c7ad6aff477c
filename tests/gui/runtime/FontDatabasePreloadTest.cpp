// The font database preload, each case in a process of its own on Qt's
// offscreen platform: fontconfig's configuration and Qt's font database are
// filled once per process.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringList>
#include <cstdlib>

#include "runtime/qt/FontDatabasePreload.h"
#include "runtime/qt/FontPreload.h"

namespace {

// Starts the application as the runtime does: fontconfig loaded first.
void startApplication(bool fillDatabase) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    { const rtqt::FontPreload fontconfig; }
    static int argc = 1;
    static char name[] = "font_database_preload_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    if (fillDatabase) const rtqt::FontDatabasePreload database;
}

// From now on fontconfig lists no font: a database filled later lists none
// of the system's (only the generic families it always names).
void emptyFontconfig() { FcConfigSetCurrent(FcConfigCreate()); }

// A system font the build machine has (fonts-dejavu-core).
bool listsSystemFont() { return QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")); }

TEST(FontDatabasePreloadTest, TheDatabaseIsFilledWhenThePreloadEnds) {
    EXPECT_EXIT(
        {
            startApplication(true);
            emptyFontconfig();
            std::exit(listsSystemFont() ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            startApplication(false);
            emptyFontconfig();
            std::exit(listsSystemFont() ? 3 : 0);
        },
        testing::ExitedWithCode(0), "")
        << "a database filled after the change of configuration lists fonts";
}

// The main thread measures text while the fill runs: it waits for the
// database and measures with the fonts it lists.
TEST(FontDatabasePreloadTest, TextMeasuredDuringTheFillUsesTheFilledDatabase) {
    EXPECT_EXIT(
        {
            startApplication(false);
            const int height = [] {
                const rtqt::FontDatabasePreload database;
                return QFontMetrics(QFont()).height();
            }();
            std::exit(height > 0 && listsSystemFont() ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
