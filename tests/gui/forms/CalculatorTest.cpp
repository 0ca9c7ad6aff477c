// The calculator demo of runapplet, hosted as runapplet hosts it: its total
// and its receipt always show the same count of decimals.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "tools/runapplet/AppletClasses.h"
#include "tools/runapplet/Calculator.h"

namespace {

using formtest::driver;

class CalculatorTest : public testing::Test {
protected:
    rt::Frame& frame = *rt::toolkit().hostApplet(runapplet::appletClasses, u"Calculator", 420, 360);
    rt::Container& form = dynamic_cast<rt::AppletPanel&>(frame.contentPane().componentAt(0)).contentPane();

    void TearDown() override { frame.setVisible(false); }

    rt::TextField& field(int index) { return dynamic_cast<rt::TextField&>(form.componentAt(index)); }
    rt::TextField& decimals() { return field(7); }
    rt::TextField& total() { return field(11); }
    rt::String receipt() {
        return dynamic_cast<rt::TextArea&>(dynamic_cast<rt::ScrollPane&>(form.componentAt(12)).view()).text();
    }
    bool receiptTotalIs(const rt::String& text) {
        const rt::String r = receipt();
        return r.size() > text.size() + 1 && r.compare(r.size() - text.size() - 1, text.size(), text) == 0;
    }

    // Types the count of decimals and presses Compute; returns the messages.
    std::vector<rt::String> computeWith(const rt::String& count) {
        std::vector<rt::String> messages;
        driver().whenModalOpens([&](rt::ModalWindow& modal) {
            messages.push_back(modal.text());
            modal.pressButton(u"OK");
        });
        driver().typeText(decimals(), count);
        driver().pressButton(dynamic_cast<rt::Button&>(form.componentAt(8)));
        driver().disarm();
        return messages;
    }
};

TEST_F(CalculatorTest, TotalAndReceiptShowTheSameDecimals) {
    EXPECT_EQ(total().text(), u"64.92");
    EXPECT_TRUE(receiptTotalIs(u"64.92"));
    EXPECT_TRUE(computeWith(u"0").empty());
    EXPECT_EQ(total().text(), u"65");
    EXPECT_TRUE(receiptTotalIs(u"65"));
    EXPECT_TRUE(computeWith(u"3").empty());
    EXPECT_EQ(total().text(), u"64.918");
    EXPECT_TRUE(receiptTotalIs(u"64.918"));
}

TEST_F(CalculatorTest, ACountOfDecimalsTheTotalCannotShowIsRefusedAndSaidSo) {
    for (const char16_t* count : {u"-1", u"-100", u"11"}) {
        SCOPED_TRACE(rt::toUtf8(count));
        EXPECT_EQ(computeWith(count), std::vector<rt::String>{runapplet::Calculator::DecimalsMessage});
        EXPECT_EQ(total().text(), u"64.92");
        EXPECT_TRUE(receiptTotalIs(u"64.92"));
    }
}

}  // namespace
