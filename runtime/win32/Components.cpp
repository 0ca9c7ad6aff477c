// The simple widgets on the system's controls: label, push button, text
// field and area, check box, radio button and combo box.

#include <algorithm>
#include <vector>

#include "runtime/win32/Core.h"
#include "runtime/win32/Factories.h"

namespace rtwin {

namespace {

// Line breaks of the framework's texts are LF; edit controls want CR LF.
std::wstring withCrLf(rt::StringView text) {
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result.push_back(L'\r');
        result.push_back(static_cast<wchar_t>(text[i]));
    }
    return result;
}

rt::String withLf(const std::wstring& text) {
    rt::String result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        result.push_back(static_cast<char16_t>(text[i]));
    }
    return result;
}

class LabelImpl final : public ComponentImpl<rt::Label> {
public:
    using ComponentImpl::ComponentImpl;
    rt::String text() const override { return fromW(currentText()); }
    void setText(const rt::String& text) override {
        setCurrentText(toW(text));
        invalidateLayoutAround(hwnd());
    }
    rt::Size preferredSize() const override {
        const SIZE size = textExtent(hfont(), currentText());
        return {size.cx, size.cy};
    }
};

class ButtonImpl final : public ComponentImpl<rt::Button> {
public:
    using ComponentImpl::ComponentImpl;
    rt::String text() const override { return fromCaption(currentText()); }
    void setText(const rt::String& text) override {
        setCurrentText(toCaption(text));
        invalidateLayoutAround(hwnd());
    }
    void addActionListener(std::unique_ptr<rt::ActionListener> listener) override { listeners_.add(std::move(listener)); }
    void addActionListener(rt::ActionListener& listener) override { listeners_.add(listener); }
    rt::Size preferredSize() const override {
        const SIZE size = textExtent(hfont(), currentText());
        return {std::max<int>(75, size.cx + 24), std::max<int>(23, size.cy + 10)};
    }
    bool reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
        listeners_.fire(*this);
        result = 0;
        return true;
    }

private:
    ActionListeners listeners_;
};

// Text fields and areas share the edit control's text handling.
template <class Iface>
class EditImpl : public ComponentImpl<Iface> {
public:
    using ComponentImpl<Iface>::ComponentImpl;
    rt::String text() const override { return withLf(this->currentText()); }
    void setText(const rt::String& text) override {
        this->setCurrentText(withCrLf(text));
        textChanged();
    }
    bool isEditable() const override { return (this->currentStyle() & ES_READONLY) == 0; }
    void setEditable(bool editable) override {
        if (this->hwnd() != nullptr) SendMessageW(this->hwnd(), EM_SETREADONLY, !editable, 0);
        else this->setCreationStyle(ES_READONLY, !editable);
    }

protected:
    // Any length: the default limit would cut long texts.
    void created() override { SendMessageW(this->hwnd(), EM_SETLIMITTEXT, 0, 0); }
    virtual void textChanged() {}
};

class TextFieldImpl final : public EditImpl<rt::TextField> {
public:
    using EditImpl::EditImpl;
    rt::Size preferredSize() const override {
        const SIZE units = fontUnits(hfont());
        return {units.cx * 17 + 8, units.cy + 8};
    }
    rt::Size minimumSize() const override {
        const SIZE units = fontUnits(hfont());
        return {units.cx * 4 + 8, units.cy + 8};
    }
};

// Scroll bars appear only when the text is larger than the area.
class TextAreaImpl final : public EditImpl<rt::TextArea> {
public:
    using EditImpl::EditImpl;
    bool scrollsItself() const override { return true; }
    rt::Size preferredSize() const override { return {256, 192}; }
    rt::Size minimumSize() const override { return {72, 48}; }
    bool reflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) textChanged();
        return false;
    }

protected:
    // Read-only, it takes only what moves through the text and selects it:
    // Tab, Enter and Escape stay the window's dialog keys (a message box
    // whose text the user clicked into still closes from the keyboard).
    // Editable, it wants them all, as the control says.
    bool before(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_GETDLGCODE || isEditable()) return false;
        result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        return true;
    }
    void created() override {
        EditImpl::created();
        updateScrollBars();
    }
    void textChanged() override { updateScrollBars(); }
    void fontChanged() override { updateScrollBars(); }
    void after(UINT message, WPARAM wParam, LPARAM lParam) override {
        EditImpl::after(message, wParam, lParam);
        if (message == WM_SIZE) updateScrollBars();
    }

private:
    void updateScrollBars() {
        HWND edit = hwnd();
        if (edit == nullptr) return;
        RECT client;
        GetClientRect(edit, &client);
        const std::wstring text = windowText(edit);
        int widest = 0;
        int lines = 0;
        for (std::size_t start = 0; start <= text.size(); ++lines) {
            std::size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos) end = text.size();
            widest = std::max<int>(widest, textExtent(hfont(), text.substr(start, end - start)).cx);
            start = end + 2;
        }
        const int lineHeight = fontUnits(hfont()).cy;
        const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
        const bool wantH = widest + 8 > client.right + (hasBar(edit, WS_VSCROLL) ? scrollBar : 0);
        const int height = client.bottom + (hasBar(edit, WS_HSCROLL) ? scrollBar : 0) - (wantH ? scrollBar : 0);
        const bool wantV = lines * lineHeight + 4 > height;
        if (wantH != hasBar(edit, WS_HSCROLL)) ShowScrollBar(edit, SB_HORZ, wantH);
        if (wantV != hasBar(edit, WS_VSCROLL)) ShowScrollBar(edit, SB_VERT, wantV);
    }
    static bool hasBar(HWND hwnd, LONG bar) { return (GetWindowLongW(hwnd, GWL_STYLE) & bar) != 0; }
};

// Check boxes and radio buttons. Radio buttons are independent: a click
// toggles the one clicked and no other.
template <class Iface>
class ToggleImpl final : public ComponentImpl<Iface> {
public:
    using ComponentImpl<Iface>::ComponentImpl;
    rt::String text() const override { return fromCaption(this->currentText()); }
    bool isSelected() const override {
        if (this->hwnd() == nullptr) return selected_;
        return SendMessageW(this->hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void setSelected(bool selected) override {
        selected_ = selected;
        if (this->hwnd() != nullptr) SendMessageW(this->hwnd(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    rt::Size preferredSize() const override {
        const SIZE size = textExtent(this->hfont(), this->currentText());
        return {size.cx + 24, std::max<int>(size.cy, 13) + 6};
    }
    bool reflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
            (this->currentStyle() & BS_TYPEMASK) == BS_RADIOBUTTON) {
            setSelected(!isSelected());
        }
        return false;
    }

protected:
    void created() override {
        if (selected_) setSelected(true);
    }

private:
    // The check given before the window is made.
    bool selected_ = false;
};

// The items are kept here too, so that a box not yet placed answers for
// them and gets them once made.
class ComboBoxImpl final : public ComponentImpl<rt::ComboBox> {
public:
    using ComponentImpl::ComponentImpl;
    void addItem(const rt::String& item) override {
        items_.push_back(item);
        if (hwnd() != nullptr) SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toW(item).c_str()));
        // The first item becomes the selection, as in a choice with one entry.
        if (itemCount() == 1) setSelectedIndex(0);
        invalidateLayoutAround(hwnd());
    }
    int itemCount() const override { return static_cast<int>(items_.size()); }
    rt::String itemAt(int index) const override {
        return index >= 0 && index < itemCount() ? items_[static_cast<std::size_t>(index)] : rt::String();
    }
    int selectedIndex() const override {
        return hwnd() != nullptr ? static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)) : selected_;
    }
    // An index outside the items selects none.
    void setSelectedIndex(int index) override {
        selected_ = index >= 0 && index < itemCount() ? index : -1;
        if (hwnd() != nullptr) SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
    }
    rt::Size preferredSize() const override {
        int widest = fontUnits(hfont()).cx * 6;
        for (const rt::String& item : items_) widest = std::max<int>(widest, textExtent(hfont(), toW(item)).cx);
        return {widest + GetSystemMetrics(SM_CXVSCROLL) + 12, closedHeight()};
    }
    // The box's height while closed, which the control sets itself from its
    // font whatever height it is given: a line of the font and its edges
    // until it is made.
    int closedHeight() const {
        if (hwnd() == nullptr) return fontUnits(hfont()).cy + ClosedEdges;
        RECT r;
        GetWindowRect(hwnd(), &r);
        return r.bottom - r.top;
    }
    // Room for up to eight rows; the list opens no taller than its items.
    // Its rows are a line of the font high until the control says.
    int heightBeyondBounds() const override {
        constexpr int visibleRows = 8;
        const auto row = hwnd() != nullptr ? SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0) : fontUnits(hfont()).cy;
        return visibleRows * static_cast<int>(row) + 2;
    }

protected:
    void created() override {
        for (const rt::String& item : items_)
            SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toW(item).c_str()));
        if (selected_ >= 0) SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
    }

private:
    static constexpr int ClosedEdges = 8;
    std::vector<rt::String> items_;
    int selected_ = -1;
};

}  // namespace

rt::Label* makeLabel(const rt::String& text) { return new LabelImpl({L"STATIC", toW(text), SS_LEFT | SS_NOPREFIX}); }

rt::Button* makeButton(const rt::String& text) {
    return new ButtonImpl({L"BUTTON", toCaption(text), BS_PUSHBUTTON | WS_TABSTOP});
}

rt::TextField* makeTextField(const rt::String& text) {
    return new TextFieldImpl({L"EDIT", toW(text), ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE});
}

rt::TextArea* makeTextArea(const rt::String& text) {
    return new TextAreaImpl({L"EDIT", withCrLf(text),
                             ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_TABSTOP | WS_VSCROLL |
                                 WS_HSCROLL,
                             WS_EX_CLIENTEDGE});
}

rt::CheckBox* makeCheckBox(const rt::String& text) {
    return new ToggleImpl<rt::CheckBox>({L"BUTTON", toCaption(text), BS_AUTOCHECKBOX | WS_TABSTOP});
}

rt::RadioButton* makeRadioButton(const rt::String& text) {
    return new ToggleImpl<rt::RadioButton>({L"BUTTON", toCaption(text), BS_RADIOBUTTON | WS_TABSTOP});
}

rt::ComboBox* makeComboBox() { return new ComboBoxImpl({L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP}); }

}  // namespace rtwin
