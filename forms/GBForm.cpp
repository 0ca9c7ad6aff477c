#include "forms/GBForm.h"

#include <cstddef>
#include <exception>
#include <vector>

#include "runtime/Failure.h"
#include "runtime/Font.h"
#include "runtime/Toolkit.h"

namespace forms {

namespace {

const rt::Font TextAreaFont{u"Courier", rt::Font::Plain, 12};

// Index into the installed styles: 0 for METAL, 1 for MOTIF (both ignoring
// case), 2 for anything else.
std::size_t styleIndex(const rt::String& name) {
    if (rt::equalsIgnoreCase(name, u"METAL")) return 0;
    if (rt::equalsIgnoreCase(name, u"MOTIF")) return 1;
    return 2;
}

rt::String missingStyleText(std::size_t index, std::size_t count) {
    return u"Index " + rt::decimalText(static_cast<std::int64_t>(index)) +
           u" out of bounds for length " + rt::decimalText(static_cast<std::int64_t>(count));
}

}  // namespace

GBForm::~GBForm() = default;

void GBForm::initForm(rt::Container& pane) {
    gbl = &pane.setGridBagLayout();
    contentPane = &pane;
    gbc.weightx = BaseWeight;
    gbc.weighty = BaseWeight;
    gbc.insets = rt::Insets{1, 2, 1, 2};
}

void GBForm::add(rt::Component& component, int row, int col, int width, int height) {
    gbc.gridx = col - 1;
    gbc.gridy = row - 1;
    gbc.gridwidth = width;
    gbc.gridheight = height;
    gbl->setConstraints(component, gbc);
    contentPane->add(component);
}

void GBForm::place(rt::Component& component, rt::Anchor anchor, rt::Fill fill, int row, int col,
                   int width, int height) {
    gbc.anchor = anchor;
    gbc.fill = fill;
    add(component, row, col, width, height);
}

void GBForm::placeStretched(rt::Component& component, int row, int col, int width, int height) {
    gbc.weightx = StretchWeight;
    gbc.weighty = StretchWeight;
    place(component, rt::Anchor::NorthWest, rt::Fill::Both, row, col, width, height);
    gbc.weightx = BaseWeight;
    gbc.weighty = BaseWeight;
}

rt::Button* GBForm::addButton(const rt::String& text, int row, int col, int width, int height) {
    rt::Button* button = rt::toolkit().createButton(text);
    place(*button, rt::Anchor::Center, rt::Fill::None, row, col, width, height);
    attachButtonListener(*button);
    return button;
}

rt::CheckBox* GBForm::addCheckBox(const rt::String& text, int row, int col, int width,
                                  int height) {
    rt::CheckBox* box = rt::toolkit().createCheckBox(text);
    place(*box, rt::Anchor::NorthWest, rt::Fill::Horizontal, row, col, width, height);
    return box;
}

rt::ComboBox* GBForm::addComboBox(int row, int col, int width, int height) {
    rt::ComboBox* box = rt::toolkit().createComboBox();
    place(*box, rt::Anchor::NorthWest, rt::Fill::None, row, col, width, height);
    return box;
}

rt::Label* GBForm::addLabel(const rt::String& text, int row, int col, int width, int height) {
    rt::Label* label = rt::toolkit().createLabel(text);
    place(*label, rt::Anchor::NorthWest, rt::Fill::None, row, col, width, height);
    return label;
}

rt::ListBox* GBForm::addList(int row, int col, int width, int height) {
    rt::ListBox* list = rt::toolkit().createListBox();
    placeStretched(*rt::toolkit().createScrollPane(*list), row, col, width, height);
    attachListListener(*list);
    list->addSelectionListener(std::make_unique<FormListKeyListener>(*list, *this));
    return list;
}

rt::RadioButton* GBForm::addRadioButton(const rt::String& text, int row, int col, int width,
                                        int height) {
    rt::RadioButton* button = rt::toolkit().createRadioButton(text);
    place(*button, rt::Anchor::NorthWest, rt::Fill::Horizontal, row, col, width, height);
    return button;
}

rt::TextArea* GBForm::addTextArea(const rt::String& text, int row, int col, int width,
                                  int height) {
    rt::TextArea* area = rt::toolkit().createTextArea(text);
    placeStretched(*rt::toolkit().createScrollPane(*area), row, col, width, height);
    area->setFont(TextAreaFont);
    return area;
}

rt::TextField* GBForm::addTextField(const rt::String& text, int row, int col, int width,
                                    int height) {
    rt::TextField* field = rt::toolkit().createTextField(text);
    place(*field, rt::Anchor::NorthWest, rt::Fill::Horizontal, row, col, width, height);
    return field;
}

IntegerField* GBForm::addIntegerField(int number, int row, int col, int width, int height) {
    auto field = std::make_shared<IntegerField>(number);
    place(field->textField(), rt::Anchor::NorthWest, rt::Fill::Horizontal, row, col, width, height);
    parts.push_back(field);
    return field.get();
}

DoubleField* GBForm::addDoubleField(double number, int row, int col, int width, int height) {
    auto field = std::make_shared<DoubleField>(number);
    place(field->textField(), rt::Anchor::NorthWest, rt::Fill::Horizontal, row, col, width, height);
    parts.push_back(field);
    return field.get();
}

void GBForm::placePanel(std::unique_ptr<GBPanel> panel, int row, int col, int width, int height) {
    placeStretched(panel->panel(), row, col, width, height);
    parts.push_back(std::shared_ptr<GBPanel>(std::move(panel)));
}

void GBForm::buttonClicked(rt::Button&) { messageBox(u"You need a 'buttonClicked' method"); }

void GBForm::listDoubleClicked(rt::ListBox&, const rt::String&) {
    messageBox(u"You need a 'listDoubleClicked' method");
}

void GBForm::listItemSelected(rt::ListBox&) {}

void GBForm::messageBox(double number) {
    showMessage(rt::standardDoubleText(number), DefaultWidth, DefaultHeight);
}

void GBForm::messageBox(double number, int width, int height) {
    showMessage(rt::standardDoubleText(number), width, height);
}

void GBForm::messageBox(const rt::String& text) { showMessage(text, DefaultWidth, DefaultHeight); }

void GBForm::messageBox(const rt::String& text, int width, int height) {
    showMessage(text, width, height);
}

void GBForm::setLookAndFeel(const rt::String& name) {
    rt::String failure;
    try {
        rt::Toolkit& kit = rt::toolkit();
        const std::vector<rt::StyleInfo> styles = kit.installedStyles();
        const std::size_t index = styleIndex(name);
        if (index >= styles.size()) throw rt::Failure(missingStyleText(index, styles.size()));
        kit.setStyle(styles[index].className);
        updateStyle();
        return;
    } catch (const rt::Failure& error) {
        failure = error.description();
    } catch (const std::exception& error) {
        failure = rt::fromUtf8(error.what());
    }
    messageBox(u"Error: \n" + failure);
}

void FormButtonListener::actionPerformed(const rt::ActionEvent& event) {
    form.buttonClicked(dynamic_cast<rt::Button&>(event.source));
}

void FormListListener::mouseClicked(const rt::MouseEvent& event) {
    const rt::ListModel& model = list.model();
    if (model.isEmpty()) return;
    if (event.clickCount == 2) {
        form.listDoubleClicked(list, model.at(list.locationToIndex(event.point)));
    } else if (event.clickCount == 1) {
        form.listItemSelected(list);
    }
}

void FormListKeyListener::selectionMoved(const rt::ListSelectionEvent&) { form.listItemSelected(list); }

}  // namespace forms
