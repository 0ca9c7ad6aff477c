#pragma once

#include "runtime/Text.h"
#include "runtime/Widgets.h"

namespace forms {

// A one-line text field of the toolkit that holds a double. It shows its
// stored number in free format (the standard double text) or, with a
// precision of 0 to 10, in fixed format with that many digits after the
// point. Typing changes only the text: the stored number follows it when
// getNumber reads it, and a redisplay (setNumber, setPrecision, a failed
// getNumber) shows the stored number again, dropping what was typed.
class DoubleField {
public:
    static constexpr int FreeFormat = -1;
    static constexpr int MaxPrecision = 10;

    // Makes the field showing number in free format.
    explicit DoubleField(double number);

    // The number the text holds, which is also stored (the text is left as
    // typed); for a text that is not one, 0.0 is stored, shown and returned.
    double getNumber();
    void setNumber(double number);
    int getPrecision() const { return precision; }
    // Digits after the point: above 10 counts as 10, negative as free format.
    void setPrecision(int digits);
    // Whether the text holds a number; changes nothing.
    bool isValid() const;

    rt::String getText() const { return field->text(); }
    void setText(const rt::String& text) { field->setText(text); }
    rt::TextField& textField() const { return *field; }

private:
    void displayNumber();

    rt::TextField* field;
    double number;
    int precision = FreeFormat;
};

}  // namespace forms
