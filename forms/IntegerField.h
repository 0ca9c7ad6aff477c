#pragma once

#include "runtime/Text.h"
#include "runtime/Widgets.h"

namespace forms {

// A one-line text field of the toolkit that holds a whole number (signed
// 32-bit). Nothing filters the user's typing: the text is read only when the
// number is asked for, and a text that is not a number then becomes 0.
class IntegerField {
public:
    // Makes the field with the decimal text of number; it is placed by the
    // forms' addIntegerField or by the caller.
    explicit IntegerField(int number);

    // The number the text holds (the text is left as typed); for a text that
    // is not one, the text becomes 0 and the result is 0.
    int getNumber();
    void setNumber(int number);
    // Whether the text holds a number; changes nothing.
    bool isValid() const;

    rt::String getText() const { return field->text(); }
    void setText(const rt::String& text) { field->setText(text); }
    rt::TextField& textField() const { return *field; }

private:
    rt::TextField* field;
};

}  // namespace forms
