#pragma once

// Constructors of the toolkit objects, one per kind; the Toolkit hands them out.

#include <memory>
#include <optional>

#include "runtime/Widgets.h"
#include "runtime/Windows.h"

namespace rt {
class Toolkit;
struct AppletClass;
}  // namespace rt

namespace rtqt {

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

// See rt::Toolkit::hostApplet.
rt::Frame* hostApplet(rt::Toolkit& toolkit, const rt::AppletClass* table, const rt::String& name, int width,
                      int height);

}  // namespace rtqt
