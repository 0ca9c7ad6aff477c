#include "tools/runapplet/Calculator.h"

#include "forms/Format.h"

namespace runapplet {

using forms::DoubleField;
using forms::Format;

Calculator::Calculator() {
    addLabel(u"Quantity:", 1, 1, 1, 1);
    quantityField = addIntegerField(3, 1, 2, 2, 1);
    addLabel(u"Unit price:", 2, 1, 1, 1);
    priceField = addDoubleField(19.99, 2, 2, 2, 1);
    addLabel(u"Tax rate (%):", 3, 1, 1, 1);
    taxField = addDoubleField(8.25, 3, 2, 2, 1);
    addLabel(u"Decimals:", 4, 1, 1, 1);
    decimalsField = addIntegerField(2, 4, 2, 2, 1);
    computeButton = addButton(u"Compute", 5, 2, 1, 1);
    resetButton = addButton(u"Reset", 5, 3, 1, 1);
    addLabel(u"Total:", 6, 1, 1, 1);
    totalField = addDoubleField(0.0, 6, 2, 2, 1);
    totalField->textField().setEditable(false);
    receiptText = addTextArea(u"", 7, 1, 3, 1);
    compute();
}

void Calculator::buttonClicked(rt::Button& button) {
    if (&button == resetButton) {
        quantityField->setNumber(1);
        priceField->setNumber(0.0);
        taxField->setNumber(0.0);
        decimalsField->setNumber(2);
    }
    compute();
}

void Calculator::compute() {
    if (!quantityField->isValid() || !priceField->isValid() || !taxField->isValid() ||
        !decimalsField->isValid()) {
        messageBox(u"Please enter numbers only:\nwhole numbers for quantity and decimals.");
        return;
    }
    // The total field would take a negative count as free format and cut
    // a large one to its maximum, so that it and the receipt disagreed.
    const int decimals = decimalsField->getNumber();
    if (decimals < 0 || decimals > DoubleField::MaxPrecision) {
        messageBox(DecimalsMessage);
        return;
    }
    const int quantity = quantityField->getNumber();
    const double net = quantity * priceField->getNumber();
    const double tax = net * taxField->getNumber() / 100.0;
    totalField->setPrecision(decimals);
    totalField->setNumber(net + tax);
    const int places = totalField->getPrecision();
    const auto row = [places](const char16_t* label, double amount) {
        return Format::justify(u'l', rt::String(label), 10) + Format::justify(u'r', amount, 16, places) + u"\n";
    };
    receiptText->setText(Format::justify(u'l', rt::String(u"Items"), 10) +
                         Format::justify(u'r', quantity, 16) + u"\n" +
                         row(u"Net", net) + row(u"Tax", tax) + row(u"Total", net + tax));
}

}  // namespace runapplet
