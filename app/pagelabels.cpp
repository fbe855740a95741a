#include "pagelabels.h"

namespace {

using K = PageLabel::Kind;
using I = PageLabel::In;

// The row under each drawing reads, for example, M10 × 1.5; each page has its own.
constexpr PageLabel designation(const char* name)
{
    return { name, K::Value, I::Page, "M", "ネジの呼び", 120, 5400, 855, 345, 14.25, "ねじの呼び" };
}
constexpr PageLabel times(const char* name)
{
    return { name, K::Caption, I::Page, "×", nullptr, 1020, 5460, 240, 240, 12, nullptr };
}
constexpr PageLabel pitch(const char* name)
{
    return { name, K::Value, I::Page, "p", "ネジのピッチ", 1320, 5400, 765, 345, 14.25, "ピッチ p" };
}

const PageLabel kPage1[] = {
    designation("Label1"),
    times("Label0_1"),
    pitch("Label2_0"),
    { "Label0_0", K::Caption, I::Picture, "単位：mm", nullptr, 7020, 300, 960, 240, 12, nullptr },
    { "Label8", K::Value, I::Picture, "t", "ｔ", 2700, 300, 600, 300, 12, "六角穴の深さ t" },
    { "Label9", K::Value, I::Picture, "w", "ｗ", 4200, 600, 600, 300, 12, "六角穴の底から座面までの肉厚 w" },
    { "Label10", K::Value, I::Picture, "da", "ｄａ", 5295, 480, 780, 300, 12, "首下の丸み部の径 da" },
    { "Label11", K::Value, I::Picture, "ds", "ｄｓ", 5715, 840, 705, 300, 12, "円筒部の径 ds" },
    { "Label5", K::Value, I::Picture, "e", "ｅ", 1260, 840, 705, 300, 12, "六角穴の対角距離 e" },
    { "Label7", K::Value, I::Picture, "v", "ｖ", 2520, 1020, 600, 300, 12, "頭部上面の角 v" },
    { "Label3", K::Value, I::Picture, "M", "ネジの呼び", 7260, 1080, 705, 300, 12, "ねじの呼び" },
    { "Label6", K::Value, I::Picture, "dk", "ｄｋ", 2460, 1980, 600, 300, 12, "頭部径 dk" },
    { "Label13", K::Value, I::Picture, "L-13", nullptr, 4770, 3060, 705, 300, 12, "円筒部の長さ ls" },
    { "Label4", K::Value, I::Picture, "s", "ｓ", 1440, 3420, 600, 300, 12, "六角穴の二面幅 s" },
    { "Label14", K::Value, I::Picture, "L-14", nullptr, 4800, 3615, 705, 300, 12, "グリップ長さ lg" },
    { "Label15", K::Value, I::Picture, "L-15", nullptr, 6585, 3615, 705, 300, 12, "ねじ部長さ b" },
    { "Label12", K::Value, I::Picture, "k", "ｋ", 3780, 4140, 600, 300, 12, "頭部の高さ k" },
};

const PageLabel kPage2[] = {
    designation("Label35_2"),
    times("Label0_2"),
    pitch("Label2_1"),
    { "Label0_7", K::Caption, I::Picture, "単位：mm", nullptr, 3780, 360, 960, 240, 12, nullptr },
    { "Label16_0", K::Value, I::Picture, "D", "Ｄ", 1635, 510, 735, 300, 12, "座ぐり径 D" },
    { "Label16_1", K::Value, I::Picture, "D", "Ｄ", 6000, 510, 720, 300, 12, "座ぐり径 D" },
    { "Label17_0", K::Value, I::Picture, "dk", "ｄｋ", 1650, 1020, 720, 300, 12, "頭部径 dk" },
    { "Label17_1", K::Value, I::Picture, "dk", "ｄｋ", 6000, 1020, 720, 300, 12, "頭部径 dk" },
    { "Label20", K::Value, I::Picture, "H\"", "Ｈ''", 3390, 1140, 600, 300, 12, "座ぐり深さ（頭部を沈める） H''" },
    { "Label21", K::Value, I::Picture, "H'", "Ｈ'", 4290, 1140, 600, 300, 12, "座ぐり深さ（頭部が出る） H'" },
    { "Label18", K::Value, I::Picture, "ds", "ｄｓ", 3840, 2565, 780, 300, 12, "円筒部の径 ds" },
    { "Label19", K::Value, I::Picture, "d'", "ｄ'", 3840, 3150, 780, 300, 12, "ボルト穴径 d'" },
};

// The four washer captions set no font of their own: the window's default.
const PageLabel kPage3[] = {
    designation("Label35_1"),
    times("Label0_3"),
    pitch("Label2_2"),
    { "Label0_4", K::Caption, I::Picture, "単位：mm", nullptr, 3060, 2490, 960, 240, 12, nullptr },
    { "Label0_5", K::Caption, I::Picture, "ばね座金", nullptr, 540, 360, 720, 180, 0, nullptr },
    { "Label0_6", K::WrappedCaption, I::Picture, "平座金 （並丸）", nullptr, 4620, 360, 600, 360, 0, nullptr },
    { "Label0_8", K::WrappedCaption, I::Picture, " 平座金 （小形丸）", nullptr, 480, 2820, 720, 375, 0, nullptr },
    { "Label0_9", K::WrappedCaption, I::Picture, "ばね座金 平座金 兼用", nullptr, 4485, 2760, 765, 540, 0, nullptr },
    { "Label22", K::Value, I::Picture, "D1", "Ｄ１", 1500, 240, 780, 300, 12, "座ぐり径（ばね座金） D1" },
    { "Label23", K::Value, I::Picture, "h1", "ｈ１", 3240, 465, 600, 300, 12, "座ぐり深さ（ばね座金） h1" },
    { "Label24", K::Value, I::Picture, "t1", "ｔ１", 3450, 1890, 600, 300, 12, "座金の厚さ（ばね座金） t1" },
    { "Label25", K::Value, I::Picture, "D2", "Ｄ２", 5490, 240, 780, 300, 12, "座ぐり径（平座金 並丸） D2" },
    { "Label26", K::Value, I::Picture, "h2", "ｈ２", 7245, 465, 600, 300, 12, "座ぐり深さ（平座金 並丸） h2" },
    { "Label27", K::Value, I::Picture, "t2", "ｔ２", 7425, 1890, 600, 300, 12, "座金の厚さ（平座金 並丸） t2" },
    { "Label28", K::Value, I::Picture, "D3", "Ｄ３", 1500, 2730, 780, 300, 12, "座ぐり径（平座金 小形丸） D3" },
    { "Label29", K::Value, I::Picture, "h4", "ｈ４", 3240, 3000, 600, 300, 12, "座ぐり深さ（平座金 小形丸） h4" },
    { "Label30", K::Value, I::Picture, "t4", "ｔ４", 3450, 4395, 600, 300, 12, "座金の厚さ（平座金 小形丸） t4" },
    { "Label31", K::Value, I::Picture, "D2", "Ｄ２", 5490, 2730, 780, 300, 12, "座ぐり径（ばね座金・平座金兼用） D2" },
    { "Label32", K::Value, I::Picture, "h3", "ｈ３", 7230, 2985, 600, 300, 12,
        "座ぐり深さ（ばね座金・平座金兼用） h3" },
    { "Label33", K::Value, I::Picture, "t3", "ｔ３", 7440, 4515, 600, 300, 12,
        "座金の厚さ（ばね座金・平座金兼用） t3" },
};

} // namespace

std::span<const PageLabel> pageLabels(int page)
{
    switch (page) {
    case 0:
        return kPage1;
    case 1:
        return kPage2;
    case 2:
        return kPage3;
    default:
        return {};
    }
}
