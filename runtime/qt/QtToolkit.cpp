// The toolkit object: creation of windows and components, file choosers,
// visual styles and the process services (random, console, exit).

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStyle>
#include <QStyleFactory>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>

#include "runtime/AppletHost.h"
#include "runtime/Failure.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/ProgramIcon.h"
#include "runtime/qt/QtRuntime.h"
#include "runtime/qt/TestHooks.h"
#include "runtime/qt/TextFiles.h"
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

class QtToolkit final : public rt::Toolkit {
public:
    QtToolkit()
        : platformStyle_(QApplication::style()->name()),
          random_(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

    std::unique_ptr<rt::Frame> createFrame() override { return makeFrame(); }
    std::unique_ptr<rt::Dialog> createDialog(rt::Frame* owner, bool modal) override { return makeDialog(owner, modal); }
    std::unique_ptr<rt::AppletPanel> createAppletPanel() override { return makeAppletPanel(); }

    rt::Label* createLabel(const rt::String& text) override { return makeLabel(text); }
    rt::Button* createButton(const rt::String& text) override { return makeButton(text); }
    rt::TextField* createTextField(const rt::String& text) override { return makeTextField(text); }
    rt::TextArea* createTextArea(const rt::String& text) override { return makeTextArea(text); }
    rt::CheckBox* createCheckBox(const rt::String& text) override { return makeCheckBox(text); }
    rt::RadioButton* createRadioButton(const rt::String& text) override { return makeRadioButton(text); }
    rt::ComboBox* createComboBox() override { return makeComboBox(); }
    rt::Panel* createPanel() override { return makePanel(); }
    rt::ScrollPane* createScrollPane(rt::Component& view) override { return makeScrollPane(view); }
    rt::ListBox* createListBox() override { return makeListBox(); }
    rt::MenuBar* createMenuBar() override { return makeMenuBar(); }
    rt::Menu* createMenu(const std::optional<rt::String>& title) override { return makeMenu(title); }
    rt::MenuItem* createMenuItem(const rt::String& text) override { return makeMenuItem(text); }

    std::optional<rt::String> chooseFile(rt::Window& owner, rt::FileChooserMode mode) override {
        return chooseFile(owner, mode, rt::String(), {});
    }

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

    rt::String programDirectory() const override {
        return fromQ(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
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

    std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) override { return rtqt::openTextReader(path); }
    std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) override { return rtqt::openTextWriter(path); }

    // 53 random bits scaled to [0, 1): never 1.0, unlike a rounded division.
    double nextRandom() override { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

    // A console that went away (a closed pipe) fails the write quietly;
    // later writes try again.
    void writeStdout(const rt::String& text) override {
        const std::string bytes = rt::toUtf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
        clearerr(stdout);
    }

    std::optional<rt::String> readStdinLine() override {
        std::string line;
        if (!std::getline(std::cin, line)) {
            std::cin.clear();
            return std::nullopt;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return rt::fromUtf8(line);
    }

    [[noreturn]] void exitProcess(int status) override {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }

    rt::Frame* hostApplet(const rt::AppletClass* table, const rt::String& name, int width, int height) override {
        return rt::hostApplet(*this, table, name, width, height);
    }

private:
    QString platformStyle_;
    std::mt19937_64 random_;
};

}  // namespace

rt::Toolkit& startToolkit(int& argc, char** argv) {
#ifdef SIGPIPE
    // Writing to a console whose reader has gone must not end a GUI program:
    // the write fails instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (QApplication::instance() == nullptr) {
        auto* app = new QApplication(argc, argv);
        app->setQuitOnLastWindowClosed(false);
    }
    static QtToolkit toolkit;
    return toolkit;
}

QWidget* widgetOf(const rt::Component& component) { return widgetOfComponent(component); }
QWidget* widgetOf(const rt::Window& window) { return windowWidget(window); }

}  // namespace rtqt
