// The toolkit object: file choosers and visual styles beside the windows and
// components of the shared factory half.

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStyle>
#include <QStyleFactory>
#include <csignal>

#include "runtime/Failure.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/FontPreload.h"
#include "runtime/qt/ProgramIcon.h"
#include "runtime/qt/QtRuntime.h"
#include "runtime/qt/TestHooks.h"
#include "runtime/qt/WindowShells.h"

namespace rtqt {

namespace {

// "Word lists (*.txt)", "All files (*)": the form QFileDialog reads the
// patterns from.
QStringList nameFilters(const std::vector<rt::FileType>& types) {
    QStringList filters;
    for (const auto& type : types) {
        const QString pattern = type.pattern.empty() ? QStringLiteral("*") : toQ(type.pattern);
        filters.append(toQ(type.name) + QStringLiteral(" (") + pattern + QStringLiteral(")"));
    }
    return filters;
}

class QtToolkit final : public FactoryToolkit {
public:
    QtToolkit() : platformStyle_(QApplication::style()->name()) {}

    std::optional<rt::String> chooseFile(rt::Window& owner, rt::FileChooserMode mode, const rt::String& directory,
                                         const std::vector<rt::FileType>& types) override {
        useProgramIcon();
        QFileDialog dialog(windowWidget(owner));
        if (!types.empty()) dialog.setNameFilters(nameFilters(types));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const QFileInfo start(toQ(directory));
        dialog.setDirectory(!directory.empty() && start.isDir() ? QDir(start.absoluteFilePath()) : QDir::home());
        const bool save = mode == rt::FileChooserMode::Save;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setWindowTitle(save ? QStringLiteral("Save") : QStringLiteral("Open"));
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        if (TestHooks* hooks = testHooks) {
            if (auto answered = hooks->takeAnsweredPath()) return answered;
        }
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        return fromQ(files.first());
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
