// Font requests. Names of fixed-pitch faces always give a fixed-pitch font,
// whether or not a face of that name is installed.

#include <QFontDatabase>
#include <QFontMetrics>
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

// Judged by the glyphs, not by the face's flags: some monospaced faces do
// not declare themselves fixed-pitch.
bool isMonospaced(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QLatin1Char('i'));
    return width == metrics.horizontalAdvance(QLatin1Char('W')) && width == metrics.horizontalAdvance(QLatin1Char('m'));
}

// A monospaced family that is installed here, looked up once.
QString monospacedFamily() {
    static const QString family = [] {
        QStringList candidates{QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), "DejaVu Sans Mono",
                               "Liberation Mono", "Noto Mono", "Nimbus Mono PS", "Courier New"};
        for (const QString& name : QFontDatabase::families())
            if (QFontDatabase::isFixedPitch(name)) candidates.append(name);
        for (const QString& name : candidates)
            if (isMonospaced(QFont(name))) return name;
        return candidates.first();
    }();
    return family;
}

}  // namespace

QFont toQFont(const rt::Font& font) {
    QFont qfont(toQ(font.name));
    // Sizes are in the toolkit's points of 1/72 inch on a 72-dpi screen:
    // one point per pixel, so a window sized in pixels fits its text.
    qfont.setPixelSize(std::max(font.size, 1));
    qfont.setBold((font.style & rt::Font::Bold) != 0);
    qfont.setItalic((font.style & rt::Font::Italic) != 0);
    if (namesFixedPitch(qfont.family())) {
        qfont.setStyleHint(QFont::TypeWriter);
        qfont.setFixedPitch(true);
        if (!isMonospaced(qfont)) qfont.setFamily(monospacedFamily());
    }
    return qfont;
}

void applyFont(QWidget& widget, const rt::Font& font) {
    widget.setFont(toQFont(font));
    widget.setProperty(RequestProperty, toQ(font.name));
}

// The font as requested (its name as given), or the toolkit's default.
rt::Font fontOf(const QWidget& widget) {
    const QFont qfont = widget.font();
    const QVariant requested = widget.property(RequestProperty);
    const int style = (qfont.bold() ? rt::Font::Bold : 0) | (qfont.italic() ? rt::Font::Italic : 0);
    const int size = qfont.pixelSize() > 0 ? qfont.pixelSize() : qfont.pointSize();
    return {fromQ(requested.isValid() ? requested.toString() : qfont.family()), style, size};
}

}  // namespace rtqt
