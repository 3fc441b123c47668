// platform/win32/fonts.cpp -- font choices of the layer.
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace win32_layer {

const QFont& system_font()
{
    static const QFont font = [] {
        QFont chosen = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        chosen.setFamilies(QStringList() << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("Liberation Mono")
                                          << QStringLiteral("monospace"));
        chosen.setStyleHint(QFont::TypeWriter);
        chosen.setFixedPitch(true);
        chosen.setPixelSize(12);
        chosen.setBold(true);
        // Crisp pixels, like the bitmap fonts of the original system.
        chosen.setStyleStrategy(QFont::NoAntialias);
        return chosen;
    }();
    return font;
}

const QFont& dialog_font()
{
    static const QFont font = [] {
        QFont chosen;
        // Narrow enough for texts sized for the 8-point font of the original system.
        chosen.setFamilies(QStringList() << QStringLiteral("DejaVu Sans Condensed") << QStringLiteral("Liberation Sans Narrow")
                                          << QStringLiteral("DejaVu Sans") << QStringLiteral("sans-serif"));
        chosen.setStyleHint(QFont::SansSerif);
        chosen.setPixelSize(11);
        return chosen;
    }();
    return font;
}

} // namespace win32_layer
