#pragma once

// What every backend's toolkit has in common: the constructors of the toolkit
// objects, one per kind, and the platform services, which the backend defines
// in its own namespace, and the toolkit half that hands them out. A backend
// names its namespace in RT_BACKEND_NAMESPACE before including this.

#include <memory>
#include <optional>

#include "runtime/Toolkit.h"
#include "runtime/Widgets.h"
#include "runtime/Windows.h"

#ifndef RT_BACKEND_NAMESPACE
#error "RT_BACKEND_NAMESPACE names the backend that defines these"
#endif

namespace RT_BACKEND_NAMESPACE {

rt::Label* makeLabel(const rt::String& text);
rt::Button* makeButton(const rt::String& text);
rt::TextField* makeTextField(const rt::String& text);
rt::TextArea* makeTextArea(const rt::String& text);
rt::CheckBox* makeCheckBox(const rt::String& text);
rt::RadioButton* makeRadioButton(const rt::String& text);
rt::ComboBox* makeComboBox();
rt::ScrollPane* makeScrollPane(rt::Component& view);
rt::Panel* makePanel();
rt::ListBox* makeListBox();
rt::MenuBar* makeMenuBar();
rt::Menu* makeMenu(const std::optional<rt::String>& title);
rt::MenuItem* makeMenuItem(const rt::String& text);

std::unique_ptr<rt::Frame> makeFrame();
std::unique_ptr<rt::Dialog> makeDialog(rt::Frame* owner, bool modal);
std::unique_ptr<rt::AppletPanel> makeAppletPanel();

// The process's one platform object.
rt::Platform& platformServices();

// The toolkit's windows, components and platform, handed out from the
// constructors above; the backend's toolkit adds choosers and styles.
class FactoryToolkit : public rt::Toolkit {
public:
    std::unique_ptr<rt::Frame> createFrame() final { return makeFrame(); }
    std::unique_ptr<rt::Dialog> createDialog(rt::Frame* owner, bool modal) final { return makeDialog(owner, modal); }
    std::unique_ptr<rt::AppletPanel> createAppletPanel() final { return makeAppletPanel(); }

    rt::Label* createLabel(const rt::String& text) final { return makeLabel(text); }
    rt::Button* createButton(const rt::String& text) final { return makeButton(text); }
    rt::TextField* createTextField(const rt::String& text) final { return makeTextField(text); }
    rt::TextArea* createTextArea(const rt::String& text) final { return makeTextArea(text); }
    rt::CheckBox* createCheckBox(const rt::String& text) final { return makeCheckBox(text); }
    rt::RadioButton* createRadioButton(const rt::String& text) final { return makeRadioButton(text); }
    rt::ComboBox* createComboBox() final { return makeComboBox(); }
    rt::Panel* createPanel() final { return makePanel(); }
    rt::ScrollPane* createScrollPane(rt::Component& view) final { return makeScrollPane(view); }
    rt::ListBox* createListBox() final { return makeListBox(); }
    rt::MenuBar* createMenuBar() final { return makeMenuBar(); }
    rt::Menu* createMenu(const std::optional<rt::String>& title) final { return makeMenu(title); }
    rt::MenuItem* createMenuItem(const rt::String& text) final { return makeMenuItem(text); }

    rt::Platform& platform() final { return platformServices(); }
};

}  // namespace RT_BACKEND_NAMESPACE
