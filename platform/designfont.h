#pragma once

#include <QFont>
#include <QStringList>

// Every font the windows set: "ＭＳ Ｐゴシック" at a given size, falling back to what other
// systems have (IPA P Gothic from Debian's fonts-ipafont-gothic, then Noto CJK).
inline QFont designFont(qreal points)
{
    QFont font;
    font.setFamilies({ QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP") });
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// The window's own default font, for controls that set none: a Japanese UI font at 9 pt.
inline QFont defaultWindowFont()
{
    QFont font;
    font.setFamilies({ QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
        QStringLiteral("Noto Sans CJK JP") });
    font.setPointSizeF(9);
    return font;
}

// Layout is given in twips; 15 twips make one logical pixel.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}
