#pragma once

#include <concepts>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "forms/DoubleField.h"
#include "forms/GBPanel.h"
#include "forms/IntegerField.h"
#include "runtime/CellConstraints.h"
#include "runtime/Component.h"
#include "runtime/Events.h"
#include "runtime/Text.h"
#include "runtime/Widgets.h"

namespace forms {

// The "object" overload of messageBox: anything with a text form of its own.
// A type qualifies when it has a toString() member returning something
// convertible to rt::String (the text shown as it is), or when it can be
// written to a std::ostream (the bytes written are read as UTF-8; bool shows
// as "true" / "false"). Numbers go to the double overload and texts
// (anything convertible to rt::StringView) to the string overload, as their
// own overloads are the better match; bool is the exception: it is an object
// here, not the number 1.0. A pointer is shown as what operator<< writes for
// it (char pointers as their text, others as an address), never dereferenced
// otherwise.
// Texts of the common string types: UTF-16 (rt::String, rt::StringView,
// u"..."), UTF-8 (std::u8string, std::string, their views, u8"..." and
// "..."), UTF-32 (std::u32string, U"...") and wide strings (L"..."). A null
// character pointer is the empty text.
template <class T>
concept IsText = std::is_convertible_v<const T&, rt::StringView> ||
                 std::is_convertible_v<const T&, std::u8string_view> ||
                 std::is_convertible_v<const T&, std::string_view> ||
                 std::is_convertible_v<const T&, std::u32string_view> ||
                 std::is_convertible_v<const T&, std::wstring_view>;

template <IsText T>
rt::String toText(const T& text) {
    if constexpr (std::is_pointer_v<T>) {
        if (text == nullptr) return {};
    }
    if constexpr (std::is_convertible_v<const T&, rt::StringView>) {
        return rt::String(rt::StringView(text));
    } else if constexpr (std::is_convertible_v<const T&, std::u8string_view>) {
        const std::u8string_view bytes(text);
        return rt::fromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return rt::fromUtf8(std::string_view(text));
    } else if constexpr (std::is_convertible_v<const T&, std::u32string_view>) {
        return rt::fromUtf32(std::u32string_view(text));
    } else {
        return rt::fromWide(std::wstring_view(text));
    }
}

template <class T>
concept HasTextForm =
    (!std::is_arithmetic_v<T> || std::is_same_v<T, bool>) && !IsText<T> &&
    (requires(const T& t) { { t.toString() } -> std::convertible_to<rt::String>; } ||
     requires(std::ostream& out, const T& t) { out << t; });

template <HasTextForm T>
rt::String textForm(const T& object) {
    if constexpr (requires { { object.toString() } -> std::convertible_to<rt::String>; }) {
        return object.toString();
    } else {
        std::ostringstream out;
        out << std::boolalpha << object;
        return rt::fromUtf8(out.str());
    }
}

// What the three form classes share: the grid-bag placement rule, the widget
// factories, the overridable handlers with their default messages, the
// messageBox family and the visual-style switch. The subclasses supply the
// container, the owner of message boxes, the adapters and the window
// behaviour.
class GBForm {
public:
    virtual ~GBForm();
    GBForm(const GBForm&) = delete;
    GBForm& operator=(const GBForm&) = delete;

    // Widget factories: the cell is 1-based (row, col) plus a span in cells.
    rt::Button* addButton(const rt::String& text, int row, int col, int width, int height);
    rt::CheckBox* addCheckBox(const rt::String& text, int row, int col, int width, int height);
    rt::ComboBox* addComboBox(int row, int col, int width, int height);
    rt::Label* addLabel(const rt::String& text, int row, int col, int width, int height);
    rt::ListBox* addList(int row, int col, int width, int height);
    rt::RadioButton* addRadioButton(const rt::String& text, int row, int col, int width, int height);
    rt::TextArea* addTextArea(const rt::String& text, int row, int col, int width, int height);
    rt::TextField* addTextField(const rt::String& text, int row, int col, int width, int height);
    // Numeric fields and drawing panels belong to the form, which keeps them
    // as long as its window.
    IntegerField* addIntegerField(int number, int row, int col, int width, int height);
    DoubleField* addDoubleField(double number, int row, int col, int width, int height);
    // Places the panel itself, stretched like a list; returns it.
    template <std::derived_from<GBPanel> P>
    P* addPanel(std::unique_ptr<P> panel, int row, int col, int width, int height) {
        P* placed = panel.get();
        placePanel(std::move(panel), row, col, width, height);
        return placed;
    }

    // Overridable handlers; the defaults name the missing override.
    // listItemSelected hears a single click on a list and a selection moved
    // there from the keyboard.
    virtual void buttonClicked(rt::Button& button);
    virtual void listDoubleClicked(rt::ListBox& list, const rt::String& item);
    virtual void listItemSelected(rt::ListBox& list);

    // Modal messages; each returns when the user has closed the box. Sizes
    // default to 300 x 150.
    void messageBox(double number);
    void messageBox(double number, int width, int height);
    template <HasTextForm T>
    void messageBox(const T& object) { showMessage(textForm(object), DefaultWidth, DefaultHeight); }
    template <HasTextForm T>
    void messageBox(const T& object, int width, int height) { showMessage(textForm(object), width, height); }
    // The overload the default handlers use: overriding it changes how they
    // show their messages.
    virtual void messageBox(const rt::String& text);
    void messageBox(const rt::String& text, int width, int height);
    // Texts of the other string types go through the two above.
    template <IsText T>
    void messageBox(const T& text) {
        messageBox(toText(text));
    }
    template <IsText T>
    void messageBox(const T& text, int width, int height) {
        messageBox(toText(text), width, height);
    }

    // Switches the visual style: "METAL" (any case) picks the first installed
    // style, "MOTIF" the second, anything else the third; failures are shown
    // as "Error: \n" and their description.
    void setLookAndFeel(const rt::String& name);

    static constexpr int DefaultWidth = 300;
    static constexpr int DefaultHeight = 150;
    static constexpr double BaseWeight = 100.0;
    static constexpr double StretchWeight = 500.0;

protected:
    GBForm() = default;
    // Sets up gbc, gbl and contentPane over the given container.
    void initForm(rt::Container& pane);

    // Places a component at the 1-based cell (row, col) spanning width x
    // height cells, with the current gbc; no range checks.
    void add(rt::Component& component, int row, int col, int width, int height);

    rt::Container* contentPane = nullptr;
    rt::CellConstraints gbc;
    rt::GridBag* gbl = nullptr;

private:
    // Subclass hooks.
    virtual void attachButtonListener(rt::Button& button) = 0;
    virtual void attachListListener(rt::ListBox& list) = 0;
    // Shows a modal MessageBox of the given size with the right owner.
    virtual void showMessage(const rt::String& text, int width, int height) = 0;
    // Re-styles the form's component tree.
    virtual void updateStyle() = 0;

    // Sets anchor and fill, then places with the current weights.
    void place(rt::Component& component, rt::Anchor anchor, rt::Fill fill, int row, int col,
               int width, int height);
    // Places a list, text area or panel: stretch weights while placing, the
    // base weights again afterwards.
    void placeStretched(rt::Component& component, int row, int col, int width, int height);
    void placePanel(std::unique_ptr<GBPanel> panel, int row, int col, int width, int height);

    // The numeric fields and panels placed on the form.
    std::vector<std::shared_ptr<void>> parts;
};

// The behaviour of the button and list adapters, shared by the form classes;
// each form class derives its own named adapters from these.

// Calls buttonClicked with the pressed button (the event's source).
class FormButtonListener : public rt::ActionListener {
public:
    explicit FormButtonListener(GBForm& form) : form(form) {}
    void actionPerformed(const rt::ActionEvent& event) override;

private:
    GBForm& form;
};

// The list click rule: a click on a list whose model is empty calls nothing;
// a click reported with count 1 calls listItemSelected; one with count 2
// calls listDoubleClicked with the text of the item under the click point
// (the last item below the last row); higher counts call nothing.
class FormListListener : public rt::MouseListener {
public:
    FormListListener(rt::ListBox& list, GBForm& form) : list(list), form(form) {}
    void mouseClicked(const rt::MouseEvent& event) override;

private:
    rt::ListBox& list;
    GBForm& form;
};

// A selection moved from the keyboard is a choice of that row, as a click
// is: it calls listItemSelected, so the row highlighted is the row chosen
// whether the user clicked it or went there with the keys.
class FormListKeyListener : public rt::ListSelectionListener {
public:
    FormListKeyListener(rt::ListBox& list, GBForm& form) : list(list), form(form) {}
    void selectionMoved(const rt::ListSelectionEvent& event) override;

private:
    rt::ListBox& list;
    GBForm& form;
};

}  // namespace forms
