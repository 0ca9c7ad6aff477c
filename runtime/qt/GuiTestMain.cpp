// main() of the GUI test executables: the testing runtime (the real toolkit
// with its driver) on Qt's offscreen platform (unless the environment
// chooses another), bound to the test executable's own copy of the toolkit
// interface.

#include <gtest/gtest.h>

#include <QCursor>
#include <QString>
#include <cstdlib>

#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/Driver.h"
#include "runtime/qt/QtRuntime.h"

namespace {

QtMessageHandler qtDefault = nullptr;

// The offscreen platform warns on every window shown; nothing to act on.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
    qtDefault(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qtDefault = qInstallMessageHandler(quietOffscreen);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    rt::bindTestDriver(rtqt::testDriver);
    // Keep the pointer off every window, so that only the driver's
    // gestures make components see it.
    QCursor::setPos(-10000, -10000);
    return RUN_ALL_TESTS();
}
