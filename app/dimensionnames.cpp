#include "dimensionnames.h"

#include <iterator>

namespace {

struct Description {
    const char* label;
    const char* text;
};

const Description kDescriptions[] = {
    { "Label1", "ねじの呼び" },
    { "Label35_1", "ねじの呼び" },
    { "Label35_2", "ねじの呼び" },
    { "Label3", "ねじの呼び" },
    { "Label2_0", "ピッチ p" },
    { "Label2_1", "ピッチ p" },
    { "Label2_2", "ピッチ p" },
    { "Label4", "六角穴の二面幅 s" },
    { "Label5", "六角穴の対角距離 e" },
    { "Label6", "頭部径 dk" },
    { "Label7", "頭部上面の角 v" },
    { "Label8", "六角穴の深さ t" },
    { "Label9", "六角穴の底から座面までの肉厚 w" },
    { "Label10", "首下の丸み部の径 da" },
    { "Label11", "円筒部の径 ds" },
    { "Label12", "頭部の高さ k" },
    { "Label13", "円筒部の長さ ls" },
    { "Label14", "グリップ長さ lg" },
    { "Label15", "ねじ部長さ b" },
    { "Label16_0", "座ぐり径 D" },
    { "Label16_1", "座ぐり径 D" },
    { "Label17_0", "頭部径 dk" },
    { "Label17_1", "頭部径 dk" },
    { "Label18", "円筒部の径 ds" },
    { "Label19", "ボルト穴径 d'" },
    { "Label20", "座ぐり深さ（頭部を沈める） H''" },
    { "Label21", "座ぐり深さ（頭部が出る） H'" },
    { "Label22", "座ぐり径（ばね座金） D1" },
    { "Label23", "座ぐり深さ（ばね座金） h1" },
    { "Label24", "座金の厚さ（ばね座金） t1" },
    { "Label25", "座ぐり径（平座金 並丸） D2" },
    { "Label26", "座ぐり深さ（平座金 並丸） h2" },
    { "Label27", "座金の厚さ（平座金 並丸） t2" },
    { "Label28", "座ぐり径（平座金 小形丸） D3" },
    { "Label29", "座ぐり深さ（平座金 小形丸） h4" },
    { "Label30", "座金の厚さ（平座金 小形丸） t4" },
    { "Label31", "座ぐり径（ばね座金・平座金兼用） D2" },
    { "Label32", "座ぐり深さ（ばね座金・平座金兼用） h3" },
    { "Label33", "座金の厚さ（ばね座金・平座金兼用） t3" },
};

} // namespace

QString dimensionDescription(const QString& labelName)
{
    for (const Description& d : kDescriptions)
        if (labelName == QLatin1String(d.label))
            return QString::fromUtf8(d.text);
    return {};
}
