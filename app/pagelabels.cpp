#include "pagelabels.h"

#include "dimensiontext.h"

namespace {

using K = PageLabel::Kind;
using I = PageLabel::In;
using D = quill::DimensionId;

constexpr PageText kPages[] = {
    { "六角穴付ボルト各部の寸法", "SSTab1_Page1", "JIS 六角穴付ボルト M3～M52 [JIS B 1176(1988)]" },
    { "座ぐり寸法：１（参考）", "SSTab1_Page2", "JIS M3～M52 座グリ及び穴寸法（参考値）" },
    { "座ぐり寸法：２（参考）", "SSTab1_Page3", "JIS M3～M52 座金類使用時 座グリ及び穴寸法（参考値）" },
};

// A value label in the picture area, 12 point unless said otherwise.
constexpr PageLabel value(
    const char* name, D id, int left, int top, int width, int height, const char* placeholder = nullptr)
{
    return { name, K::Value, I::Picture, &quill::dimension(id), placeholder, left, top, width, height, 12 };
}
constexpr PageLabel caption(
    const char* name, K kind, const char* text, int left, int top, int width, int height, double points)
{
    return { name, kind, I::Picture, nullptr, text, left, top, width, height, points };
}

// The row under each drawing reads, for example, M10 × 1.5; each page has its own.
constexpr PageLabel designation(const char* name)
{
    return { name, K::Value, I::Page, &quill::dimension(D::Designation), nullptr, 120, 5400, 855, 345, 14.25 };
}
constexpr PageLabel times(const char* name)
{
    return { name, K::Caption, I::Page, nullptr, "×", 1020, 5460, 240, 240, 12 };
}
constexpr PageLabel pitch(const char* name)
{
    return { name, K::Value, I::Page, &quill::dimension(D::Pitch), nullptr, 1320, 5400, 765, 345, 14.25 };
}

const PageLabel kPage1[] = {
    designation("Label1"),
    times("Label0_1"),
    pitch("Label2_0"),
    caption("Label0_0", K::Caption, "単位：mm", 7020, 300, 960, 240, 12),
    value("Label8", D::SocketDepth, 2700, 300, 600, 300),
    value("Label9", D::SocketWall, 4200, 600, 600, 300),
    value("Label10", D::FilletDiameter, 5295, 480, 780, 300),
    value("Label11", D::ShankDiameter, 5715, 840, 705, 300),
    value("Label5", D::SocketAcrossCorners, 1260, 840, 705, 300),
    value("Label7", D::HeadCorner, 2520, 1020, 600, 300),
    value("Label3", D::Designation, 7260, 1080, 705, 300),
    value("Label6", D::HeadDiameter, 2460, 1980, 600, 300),
    value("Label13", D::ShankLength, 4770, 3060, 705, 300, "L-13"),
    value("Label4", D::SocketAcrossFlats, 1440, 3420, 600, 300),
    value("Label14", D::GripLength, 4800, 3615, 705, 300, "L-14"),
    value("Label15", D::ThreadLength, 6585, 3615, 705, 300, "L-15"),
    value("Label12", D::HeadHeight, 3780, 4140, 600, 300),
};

const PageLabel kPage2[] = {
    designation("Label35_2"),
    times("Label0_2"),
    pitch("Label2_1"),
    caption("Label0_7", K::Caption, "単位：mm", 3780, 360, 960, 240, 12),
    value("Label16_0", D::CounterboreDiameter, 1635, 510, 735, 300),
    value("Label16_1", D::CounterboreDiameter, 6000, 510, 720, 300),
    value("Label17_0", D::HeadDiameter, 1650, 1020, 720, 300),
    value("Label17_1", D::HeadDiameter, 6000, 1020, 720, 300),
    value("Label20", D::CounterboreDepthSunk, 3390, 1140, 600, 300, "H\""),
    value("Label21", D::CounterboreDepthRaised, 4290, 1140, 600, 300),
    value("Label18", D::ShankDiameter, 3840, 2565, 780, 300),
    value("Label19", D::HoleDiameter, 3840, 3150, 780, 300),
};

// The four washer captions set no font of their own: the window's default.
const PageLabel kPage3[] = {
    designation("Label35_1"),
    times("Label0_3"),
    pitch("Label2_2"),
    caption("Label0_4", K::Caption, "単位：mm", 3060, 2490, 960, 240, 12),
    caption("Label0_5", K::Caption, "ばね座金", 540, 360, 720, 180, 0),
    caption("Label0_6", K::WrappedCaption, "平座金 （並丸）", 4620, 360, 600, 360, 0),
    caption("Label0_8", K::WrappedCaption, " 平座金 （小形丸）", 480, 2820, 720, 375, 0),
    caption("Label0_9", K::WrappedCaption, "ばね座金 平座金 兼用", 4485, 2760, 765, 540, 0),
    value("Label22", D::SpringWasherCounterbore, 1500, 240, 780, 300),
    value("Label23", D::SpringWasherDepth, 3240, 465, 600, 300),
    value("Label24", D::SpringWasherThickness, 3450, 1890, 600, 300),
    value("Label25", D::PlainWasherCounterbore, 5490, 240, 780, 300),
    value("Label26", D::PlainWasherDepth, 7245, 465, 600, 300),
    value("Label27", D::PlainWasherThickness, 7425, 1890, 600, 300),
    value("Label28", D::SmallWasherCounterbore, 1500, 2730, 780, 300),
    value("Label29", D::SmallWasherDepth, 3240, 3000, 600, 300),
    value("Label30", D::SmallWasherThickness, 3450, 4395, 600, 300),
    value("Label31", D::CombinedWashersCounterbore, 5490, 2730, 780, 300),
    value("Label32", D::CombinedWashersDepth, 7230, 2985, 600, 300),
    value("Label33", D::CombinedWashersThickness, 7440, 4515, 600, 300),
};

} // namespace

std::span<const PageText, 3> pageTexts()
{
    return kPages;
}

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

QString PageLabel::placeholder() const
{
    return text || !dimension ? QString::fromUtf8(text) : quill::symbolOf(*dimension);
}

QString PageLabel::field() const
{
    return dimension ? quill::fieldName(*dimension) : QString();
}

QString PageLabel::description() const
{
    return dimension ? quill::descriptionOf(*dimension) : QString();
}
