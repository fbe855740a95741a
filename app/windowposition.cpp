#include "windowposition.h"

#include "designunits.h"
#include "settingsstore.h"

#include <cstdio>

namespace {

const QString kSection = QStringLiteral("Form1_StrtUp");

} // namespace

QPoint storedPosition(const SettingsStore& store, QPoint placed)
{
    if (!store.isReadable())
        std::fprintf(stderr, "rostari-bolt: 設定を読み取れません: %s\n", qUtf8Printable(store.location()));
    auto read = [&store](const QString& key, int currentPixels) {
        const QString stored = store.GetSetting(kSection, key, twipsText(twipsFromPixels(currentPixels)));
        const std::optional<float> twips = parseTwips(stored);
        if (!twips) {
            std::fprintf(stderr, "rostari-bolt: 設定 %s の値が数値ではありません: \"%s\"\n", qUtf8Printable(key),
                qUtf8Printable(stored.left(80)));
            return currentPixels;
        }
        return pixelsFromTwips(*twips);
    };
    const int x = read(QStringLiteral("X1"), placed.x());
    const int y = read(QStringLiteral("Y1"), placed.y());
    return { x, y };
}

void storePosition(SettingsStore& store, QPoint corner)
{
    store.SaveSetting(kSection, QStringLiteral("X1"), twipsText(twipsFromPixels(corner.x())));
    store.SaveSetting(kSection, QStringLiteral("Y1"), twipsText(twipsFromPixels(corner.y())));
    QString why;
    if (!store.flush(&why))
        std::fprintf(stderr, "rostari-bolt: ウィンドウの位置を保存できません: %s (%s)\n",
            qUtf8Printable(store.location()), qUtf8Printable(why));
}
