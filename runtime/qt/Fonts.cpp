// Font requests. Names of fixed-pitch faces always give a fixed-pitch font,
// whether or not a face of that name is installed.

#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>
#include <array>

#include "runtime/qt/Core.h"

namespace rtqt {

namespace {

bool namesFixedPitch(const QString& family) {
    static const std::array<QString, 8> names = {"courier",   "courier new", "monospaced", "monospace",
                                                 "dialoginput", "consolas",  "lucida console", "fixed"};
    const QString lower = family.trimmed().toLower();
    return std::find(names.begin(), names.end(), lower) != names.end();
}

constexpr const char* RequestProperty = "rtFontRequest";

}  // namespace

void applyFont(QWidget& widget, const rt::Font& font) {
    QFont qfont(toQ(font.name));
    qfont.setPointSize(std::max(font.size, 1));
    qfont.setBold((font.style & rt::Font::Bold) != 0);
    qfont.setItalic((font.style & rt::Font::Italic) != 0);
    if (namesFixedPitch(qfont.family())) {
        qfont.setStyleHint(QFont::TypeWriter);
        qfont.setFixedPitch(true);
        if (!QFontInfo(qfont).fixedPitch()) qfont.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    }
    widget.setFont(qfont);
    widget.setProperty(RequestProperty, toQ(font.name));
}

// The font as requested (its name as given), or the toolkit's default.
rt::Font fontOf(const QWidget& widget) {
    const QFont qfont = widget.font();
    const QVariant requested = widget.property(RequestProperty);
    const int style = (qfont.bold() ? rt::Font::Bold : 0) | (qfont.italic() ? rt::Font::Italic : 0);
    return {fromQ(requested.isValid() ? requested.toString() : qfont.family()), style, qfont.pointSize()};
}

}  // namespace rtqt
