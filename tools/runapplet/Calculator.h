#pragma once

#include "forms/GBApplet.h"

namespace runapplet {

// A price calculator: a quantity, a unit price and a tax rate in numeric
// fields; Compute shows the total with the chosen count of decimals and a
// receipt laid out in columns.
class Calculator : public forms::GBApplet {
public:
    Calculator();
    void buttonClicked(rt::Button& button) override;

    // Shown, with nothing computed, for a count of decimals the total
    // cannot show.
    static constexpr const char16_t* DecimalsMessage = u"Decimals must be from 0 to 10.";

private:
    void compute();

    forms::IntegerField* quantityField;
    forms::DoubleField* priceField;
    forms::DoubleField* taxField;
    forms::IntegerField* decimalsField;
    forms::DoubleField* totalField;
    rt::Button* computeButton;
    rt::Button* resetButton;
    rt::TextArea* receiptText;
};

}  // namespace runapplet
