// platform/win32/fonts.cpp -- font choices of the layer, and the fonts a program creates.
#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

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

namespace {
constexpr int dialog_font_pixels = 11;
}

const QFont& dialog_font()
{
    static const QFont font = [] {
        QFont chosen;
        // Narrow enough for texts sized for the 8-point font of the original system.
        chosen.setFamilies(QStringList() << QStringLiteral("DejaVu Sans Condensed") << QStringLiteral("Liberation Sans Narrow")
                                          << QStringLiteral("DejaVu Sans") << QStringLiteral("sans-serif"));
        chosen.setStyleHint(QFont::SansSerif);
        chosen.setPixelSize(dialog_font_pixels);
        return chosen;
    }();
    return font;
}

LOGFONTW desktop_font(UINT dpi)
{
    LOGFONTW description{};
    description.lfHeight = -static_cast<LONG>((dialog_font_pixels * dpi + USER_DEFAULT_SCREEN_DPI / 2) / USER_DEFAULT_SCREEN_DPI);
    description.lfWeight = FW_NORMAL;
    const QString face = dialog_font().families().front();
    const auto length = std::min<qsizetype>(face.size(), LF_FACESIZE - 1);
    for (qsizetype i = 0; i < length; ++i)
        description.lfFaceName[i] = static_cast<WCHAR>(face.at(i).unicode());
    return description;
}

QFont font_of(const LOGFONTW& description)
{
    QString face;
    for (int i = 0; i < LF_FACESIZE && description.lfFaceName[i] != 0; ++i)
        face.append(QChar(static_cast<char16_t>(description.lfFaceName[i])));
    QFont font = dialog_font();
    if (!face.isEmpty())
        font.setFamilies(QStringList() << face << dialog_font().families());
    font.setWeight(description.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    const int height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
    if (height > 0)
        font.setPixelSize(height);
    // A line height: the character height that gives it.
    if (description.lfHeight > 0)
        font.setPixelSize(std::max(1, height * height / QFontMetrics(font).height()));
    return font;
}

} // namespace win32_layer
