#include "forms/DoubleField.h"

#include "forms/Format.h"
#include "runtime/NumberText.h"
#include "runtime/Toolkit.h"

namespace forms {

DoubleField::DoubleField(double number)
    : field(rt::toolkit().createTextField(rt::String())), number(number) {
    displayNumber();
}

double DoubleField::getNumber() {
    if (const auto parsed = rt::parseDouble(field->text())) {
        number = *parsed;
    } else {
        number = 0.0;
        displayNumber();
    }
    return number;
}

void DoubleField::setNumber(double value) {
    number = value;
    displayNumber();
}

void DoubleField::setPrecision(int digits) {
    if (digits > MaxPrecision) {
        precision = MaxPrecision;
    } else if (digits < 0) {
        precision = FreeFormat;
    } else {
        precision = digits;
    }
    displayNumber();
}

bool DoubleField::isValid() const { return rt::parseDouble(field->text()).has_value(); }

void DoubleField::displayNumber() {
    field->setText(precision == FreeFormat ? rt::standardDoubleText(number)
                                           : Format::justify(u'l', number, 0, precision));
}

}  // namespace forms
