#include "forms/IntegerField.h"

#include "runtime/NumberText.h"
#include "runtime/Toolkit.h"

namespace forms {

IntegerField::IntegerField(int number) : field(rt::toolkit().createTextField(rt::String())) {
    setNumber(number);
}

int IntegerField::getNumber() {
    if (const auto number = rt::parseInteger(field->text())) return *number;
    setNumber(0);
    return 0;
}

void IntegerField::setNumber(int number) { field->setText(rt::decimalText(number)); }

bool IntegerField::isValid() const { return rt::parseInteger(field->text()).has_value(); }

}  // namespace forms
