#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include "GuiTest.h"
#include "runtime/Failure.h"
#include "runtime/qt/Driver.h"

namespace {

using StylesTest = GuiTest;

TEST_F(StylesTest, ThreeStylesInFixedOrderEachNamingItsClass) {
    const auto styles = tk().installedStyles();
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0].className, u"Fusion");
    EXPECT_EQ(styles[1].className, u"Windows");
    EXPECT_FALSE(styles[2].className.empty());
    for (const rt::StyleInfo& style : styles) {
        tk().setStyle(style.className);
        EXPECT_TRUE(rt::equalsIgnoreCase(tk().currentStyle(), style.className));
        EXPECT_FALSE(style.name.empty());
    }
}

TEST_F(StylesTest, UnknownStyleFailsWithADescriptionAndKeepsTheCurrentOne) {
    tk().setStyle(u"Windows");
    try {
        tk().setStyle(u"NoSuchLook");
        FAIL() << "no failure";
    } catch (const rt::Failure& failure) {
        EXPECT_NE(failure.description().find(u"NoSuchLook"), rt::String::npos);
    }
    EXPECT_EQ(tk().currentStyle(), u"windows");
}

TEST_F(StylesTest, UpdateStyleRestylesTheWindowsComponents) {
    rt::Button* button = tk().createButton(u"Go");
    frame->contentPane().add(*button);
    show();
    tk().setStyle(u"Windows");
    const rt::Size windowsSize = button->preferredSize();
    tk().setStyle(u"Fusion");
    frame->updateStyle();
    EXPECT_EQ(rtqt::widgetOf(*button)->style()->name(), "fusion");
    EXPECT_TRUE(rtqt::widgetOf(*button)->isVisible());
    EXPECT_GT(windowsSize.width, 0);
}

using FontsTest = GuiTest;

TEST_F(FontsTest, FixedPitchNamesComeOutFixedPitch) {
    rt::TextArea* area = tk().createTextArea(u"text");
    for (const char16_t* name : {u"Courier", u"Monospaced", u"courier new"}) {
        area->setFont({name, rt::Font::Plain, 12});
        const QFontMetrics metrics(rtqt::widgetOf(*area)->font());
        EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W')) << rt::toUtf8(name);
        EXPECT_EQ(metrics.horizontalAdvance('.'), metrics.horizontalAdvance('M')) << rt::toUtf8(name);
        EXPECT_EQ(area->font(), (rt::Font{name, rt::Font::Plain, 12}));
    }
    area->setFont({u"Courier", rt::Font::Bold | rt::Font::Italic, 14});
    EXPECT_EQ(area->font(), (rt::Font{u"Courier", rt::Font::Bold | rt::Font::Italic, 14}));
}

TEST_F(FontsTest, ComponentsStartWithTheToolkitsDefaultFont) {
    rt::TextField* field = tk().createTextField(u"");
    EXPECT_EQ(field->font().name, rt::fromUtf8(QApplication::font().family().toStdString()));
}

}  // namespace
