#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "runtime/Applet.h"
#include "runtime/Platform.h"
#include "runtime/Text.h"
#include "runtime/Widgets.h"
#include "runtime/Windows.h"

namespace rt {

// One installed visual style: a display name and the class that implements it.
struct StyleInfo {
    String name;
    String className;
};

enum class FileChooserMode { Open, Save };

// One entry of a file chooser's list of file types: a name ("Word lists") and
// the file-name pattern it shows ("*.txt"; empty for every file). The chooser
// shows the two together, "Word lists (*.txt)".
struct FileType {
    String name;
    String pattern;
};

// The GUI toolkit the framework and the game are written against: windows,
// components, file choosers and visual styles. One instance exists per
// process; it is reached through rt::toolkit() and hands out the platform's
// services (rt::platform()). Every call is made on the toolkit's event thread.
class Toolkit {
public:
    virtual ~Toolkit();

    // Windows, owned by the caller; all start hidden, untitled, with a content
    // pane in the border arrangement.
    virtual std::unique_ptr<Frame> createFrame() = 0;
    // owner may be null: the dialog then gets the toolkit's hidden owner.
    virtual std::unique_ptr<Dialog> createDialog(Frame* owner, bool modal) = 0;
    virtual std::unique_ptr<AppletPanel> createAppletPanel() = 0;

    // Components; see the ownership rule in Component.h.
    virtual Label* createLabel(const String& text) = 0;
    virtual Button* createButton(const String& text) = 0;
    virtual TextField* createTextField(const String& text) = 0;
    virtual TextArea* createTextArea(const String& text) = 0;
    virtual CheckBox* createCheckBox(const String& text) = 0;
    virtual RadioButton* createRadioButton(const String& text) = 0;
    virtual ComboBox* createComboBox() = 0;
    virtual Panel* createPanel() = 0;
    // The pane takes ownership of view.
    virtual ScrollPane* createScrollPane(Component& view) = 0;
    // A list with single selection over a new empty model.
    virtual ListBox* createListBox() = 0;
    virtual MenuBar* createMenuBar() = 0;
    virtual Menu* createMenu(const std::optional<String>& title) = 0;
    virtual MenuItem* createMenuItem(const String& text) = 0;

    // Modal file chooser owned by the window, starting in the chooser's
    // default directory. The chosen path, or nothing when not approved.
    std::optional<String> chooseFile(Window& owner, FileChooserMode mode) {
        return chooseFile(owner, mode, String(), {});
    }
    // The same, starting in directory when that is an existing folder, and
    // offering types, the first one selected (all files when there are
    // none). A name typed without an extension in a save chooser gets the
    // first type's extension where the platform's programs do that
    // (Windows).
    virtual std::optional<String> chooseFile(Window& owner, FileChooserMode mode, const String& directory,
                                             const std::vector<FileType>& types) = 0;
    // Visual styles, in the toolkit's fixed order.
    virtual std::vector<StyleInfo> installedStyles() const = 0;
    // Makes the style implemented by className current; throws Failure with a
    // description when it does not exist or cannot be used.
    virtual void setStyle(const String& className) = 0;
    virtual String currentStyle() const = 0;

    // The applet host: creates the applet of the class named name in the
    // table, puts its panel, filling the content, into a new top-level frame
    // titled with the name, sizes the frame width x height and shows it. The
    // toolkit keeps the applet and its frame until the process ends; closing
    // the frame with its close control ends the process with status 0. Null,
    // and nothing created, when the table has no class of that name.
    Frame* hostApplet(const AppletClass* table, const String& name, int width, int height);

    // The platform's services that go with this toolkit.
    virtual Platform& platform() = 0;
};

// The process's toolkit and its platform services. bindToolkit is called
// once by whoever starts the toolkit (the runtime component at start-up, a
// test's main in tests).
Toolkit& toolkit();
Platform& platform();
void bindToolkit(Toolkit* toolkit);

}  // namespace rt
