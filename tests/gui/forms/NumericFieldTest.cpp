// The numeric fields on the real toolkit: number rules, redisplay, factories.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "forms/GBApplet.h"

namespace {

using formtest::driver;

struct ShownFrame : testing::Test {
    formtest::RecordingFrame frame;
    void show() {
        frame.setSize(300, 200);
        frame.setVisible(true);
    }
};

TEST_F(ShownFrame, IntegerFieldReadsTypedTextAndReplacesBadTextByZero) {
    forms::IntegerField* field = frame.addIntegerField(-15, 1, 1, 1, 1);
    show();
    EXPECT_EQ(field->getText(), u"-15");
    driver().typeText(field->textField(), u"  42 ");
    EXPECT_TRUE(field->isValid());
    EXPECT_EQ(field->getNumber(), 42);
    EXPECT_EQ(field->getText(), u"  42 ");

    driver().typeText(field->textField(), u"12a");
    EXPECT_FALSE(field->isValid());
    EXPECT_EQ(field->getText(), u"12a");
    EXPECT_EQ(field->getNumber(), 0);
    EXPECT_EQ(field->getText(), u"0");

    for (const char16_t* bad : {u"+7", u"2147483648", u""}) {
        driver().typeText(field->textField(), bad);
        EXPECT_FALSE(field->isValid()) << rt::toUtf8(bad);
    }
    field->setNumber(-2147483647 - 1);
    EXPECT_EQ(field->getText(), u"-2147483648");
    EXPECT_EQ(field->getNumber(), -2147483647 - 1);
}

TEST_F(ShownFrame, DoubleFieldShowsFreeOrFixedFormatAndClampsPrecision) {
    forms::DoubleField* five = frame.addDoubleField(5, 1, 1, 1, 1);
    forms::DoubleField* big = frame.addDoubleField(1.0E7, 2, 1, 1, 1);
    show();
    EXPECT_EQ(five->getText(), u"5.0");
    EXPECT_EQ(big->getText(), u"1.0E7");
    EXPECT_EQ(five->getPrecision(), -1);

    five->setNumber(3.14159);
    EXPECT_EQ(five->getText(), u"3.14159");
    const std::pair<int, const char16_t*> cases[] = {
        {2, u"3.14"}, {0, u"3"}, {25, u"3.1415900000"}, {-7, u"3.14159"}};
    for (const auto& [digits, shown] : cases) {
        five->setPrecision(digits);
        EXPECT_EQ(five->getText(), shown) << digits;
    }
    five->setPrecision(25);
    EXPECT_EQ(five->getPrecision(), 10);
    five->setPrecision(-7);
    EXPECT_EQ(five->getPrecision(), -1);
}

TEST_F(ShownFrame, TypedNumberIsKeptAsTypedUntilTheNextRedisplay) {
    forms::DoubleField* field = frame.addDoubleField(1.5, 1, 1, 1, 1);
    show();
    field->setPrecision(2);
    EXPECT_EQ(field->getText(), u"1.50");

    driver().typeText(field->textField(), u"2.71828");
    EXPECT_EQ(field->getNumber(), 2.71828);
    EXPECT_EQ(field->getText(), u"2.71828");
    field->setPrecision(2);
    EXPECT_EQ(field->getText(), u"2.72");

    // Typed but never read: a redisplay shows the stored number again.
    driver().typeText(field->textField(), u"9.5");
    field->setPrecision(3);
    EXPECT_EQ(field->getText(), u"2.718");
    EXPECT_EQ(field->getNumber(), 2.718);
}

TEST_F(ShownFrame, DoubleFieldValidityChangesNothingAndBadTextBecomesZero) {
    forms::DoubleField* field = frame.addDoubleField(8.25, 1, 1, 1, 1);
    show();
    driver().typeText(field->textField(), u"1,5");
    EXPECT_FALSE(field->isValid());
    EXPECT_EQ(field->getText(), u"1,5");
    field->setPrecision(-1);
    EXPECT_EQ(field->getText(), u"8.25");  // isValid did not store anything

    driver().typeText(field->textField(), u"");
    EXPECT_EQ(field->getNumber(), 0.0);
    EXPECT_EQ(field->getText(), u"0.0");
    field->setPrecision(2);
    driver().typeText(field->textField(), u"NaN");
    EXPECT_EQ(field->getNumber(), 0.0);
    EXPECT_EQ(field->getText(), u"0.00");
}

// Placement of the numeric fields on each form class.
template <class Form>
void expectNumericFieldPlacement(Form& form, rt::GridBag& layout, rt::Container& pane) {
    forms::IntegerField* whole = form.addIntegerField(3, 2, 3, 2, 1);
    forms::DoubleField* real = form.addDoubleField(0.5, 0, 0, 1, 1);
    ASSERT_EQ(pane.componentCount(), 2);
    EXPECT_EQ(&pane.componentAt(0), &whole->textField());
    EXPECT_EQ(&pane.componentAt(1), &real->textField());
    for (int i = 0; i < 2; ++i) {
        const rt::CellConstraints c = layout.constraintsOf(pane.componentAt(i));
        EXPECT_EQ(c.anchor, rt::Anchor::NorthWest);
        EXPECT_EQ(c.fill, rt::Fill::Horizontal);
        EXPECT_EQ(c.weightx, 100.0);
        EXPECT_EQ(c.weighty, 100.0);
        EXPECT_EQ(c.insets, (rt::Insets{1, 2, 1, 2}));
    }
    const rt::CellConstraints c = layout.constraintsOf(pane.componentAt(0));
    EXPECT_EQ((rt::Rect{c.gridx, c.gridy, c.gridwidth, c.gridheight}), (rt::Rect{2, 1, 2, 1}));
    EXPECT_EQ(layout.constraintsOf(pane.componentAt(1)).gridx, rt::Relative);
}

template <class Base>
struct Exposed : Base {
    using Base::Base;
    using Base::contentPane;
    using Base::gbl;
};

TEST(NumericFactories, AllThreeFormClassesPlaceFieldsAlike) {
    Exposed<forms::GBFrame> frame;
    expectNumericFieldPlacement(frame, *frame.gbl, *frame.contentPane);
    Exposed<forms::GBDialog> dialog(nullptr);
    expectNumericFieldPlacement(dialog, *dialog.gbl, *dialog.contentPane);
    Exposed<forms::GBApplet> applet;
    expectNumericFieldPlacement(applet, *applet.gbl, *applet.contentPane);
}

}  // namespace
