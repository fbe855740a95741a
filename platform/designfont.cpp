#include "designfont.h"

#include <QFontDatabase>

#include <algorithm>

namespace {

// The design's font under each of its names, then what other systems have in its place.
QStringList resolve(const QStringList& installed, const QStringList& names, const QStringList& substitutes)
{
    const auto isInstalled = [&](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); };
    if (std::none_of(names.begin(), names.end(), isInstalled)) {
        const auto found = std::find_if(substitutes.begin(), substitutes.end(), isInstalled);
        if (found != substitutes.end())
            return { *found };
    }
    return names + substitutes;
}

} // namespace

DesignFonts::DesignFonts()
{
    const QStringList installed = QFontDatabase::families();
    // IPA P Gothic comes with Debian's fonts-ipafont-gothic.
    m_design = resolve(installed, { QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic") },
        { QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP") });
    m_window = resolve(installed, { QStringLiteral("MS UI Gothic") },
        { QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP") });
}

QFont DesignFonts::design(qreal points) const
{
    QFont font;
    font.setFamilies(m_design);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont DesignFonts::windowDefault() const
{
    QFont font;
    font.setFamilies(m_window);
    font.setPointSizeF(9);
    return font;
}
