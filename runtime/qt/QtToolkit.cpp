// The toolkit object: the file chooser and visual styles beside the windows and
// components of the shared factory half.

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <csignal>

#include "runtime/Failure.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/FileChooser.h"
#include "runtime/qt/FontPreload.h"
#include "runtime/qt/QtRuntime.h"
#include "runtime/qt/WindowShells.h"

namespace rtqt {

namespace {

class QtToolkit final : public FactoryToolkit {
public:
    QtToolkit() : platformStyle_(QApplication::style()->name()) {}

    std::optional<rt::String> chooseFile(rt::Window& owner, rt::FileChooserMode mode, const rt::String& directory,
                                         const std::vector<rt::FileType>& types) override {
        return rtqt::chooseFile(windowWidget(owner), mode, directory, types);
    }

    // Fusion, the classic Windows style, then the platform's own.
    std::vector<rt::StyleInfo> installedStyles() const override {
        std::vector<rt::StyleInfo> styles;
        for (const QString& key : {QStringLiteral("Fusion"), QStringLiteral("Windows"), platformStyle_}) {
            const QString name = key.left(1).toUpper() + key.mid(1);
            styles.push_back({fromQ(name), fromQ(key)});
        }
        return styles;
    }

    void setStyle(const rt::String& className) override {
        QStyle* style = QStyleFactory::create(toQ(className));
        if (style == nullptr) {
            throw rt::Failure(u"Visual style " + className + u" is not installed (installed: " +
                              fromQ(QStyleFactory::keys().join(QStringLiteral(", "))) + u")");
        }
        QApplication::setStyle(style);
    }

    rt::String currentStyle() const override { return fromQ(QApplication::style()->name()); }

private:
    QString platformStyle_;
};

}  // namespace

rt::Toolkit& startToolkit(int& argc, char** argv) {
#ifdef SIGPIPE
    // Writing to a console whose reader has gone must not end a GUI program:
    // the write fails instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (QApplication::instance() == nullptr) {
        const FontPreload fonts;
        auto* app = new QApplication(argc, argv);
        app->setQuitOnLastWindowClosed(false);
    }
    static QtToolkit toolkit;
    return toolkit;
}

}  // namespace rtqt
