#pragma once

#include <QFont>
#include <QStringList>

// The fonts the windows set: "ＭＳ Ｐゴシック" at the design's sizes, and "MS UI Gothic" at 9 pt as
// the main window's own default. For a family that is not installed Qt asks fontconfig for fallbacks,
// once per script, before it tries the next family of the list; so the families are looked up once
// among the installed fonts: the design's family where it is installed (the list as the design gives
// it), otherwise the first installed substitute alone. Make one after the application object and
// hand it to what sets fonts.
class DesignFonts {
public:
    DesignFonts();

    QFont design(qreal points) const;
    QFont windowDefault() const;

private:
    QStringList m_design;
    QStringList m_window;
};
