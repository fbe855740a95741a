#include "lengthchoice.h"

#include "dimensiontext.h"

#include <cmath>

namespace quill::lengths {

namespace {

// Lengths come from typed decimals; a sum such as 0.1 + 0.2 must still meet a listed 0.3.
constexpr double kSlack = 1e-9;

constexpr std::array<Material, 3> kMaterials { {
    { "鋼", 1.0,
        "設計の目安（規格なし：JIS にはめあい長さの規定はない）。鋼のめねじには呼び径 d の 1 倍。"
        "出典：「タップ下穴深さの考え方」（livemyself.com）鋼材の標準 1.0D、"
        "「ねじの径と長さの選定方法」（mecha-basic.com）鉄や鋼材で呼び径の 1～1.5 倍。" },
    { "鋳鉄", 1.5,
        "設計の目安（規格なし：JIS にはめあい長さの規定はない）。鋳鉄のめねじには呼び径 d の 1.5 倍。"
        "出典：m-sudo.blogspot.com の機械設計の記事（2009 年、互省製作所のカタログの図による）鋳鋼・鋳物で"
        "呼び径の 1.5 倍、「タップ穴の常識」（tokintokin758.hatenablog.com、2020 年）鋳物で径の 2 倍。" },
    { "アルミニウム合金", 2.0,
        "設計の目安（規格なし：JIS にはめあい長さの規定はない）。アルミニウム合金のめねじには呼び径 d の 2 倍。"
        "出典：「タップ下穴深さの考え方」（livemyself.com）アルミ材の標準 2.0D、"
        "「ねじの径と長さの選定方法」（mecha-basic.com）アルミ材で呼び径の 2 倍以上。" },
} };

// ls, lg, b as the dimension table writes them.
QString symbol(DimensionId id)
{
    return symbolOf(dimension(id));
}

QString sizeName(const SizeParameters& size)
{
    return QString::fromLatin1(size.designation.data(), static_cast<qsizetype>(size.designation.size()));
}

// "部材の厚さ 12 + 座金 t1 2", the stack under the head.
QString clampedTerms(const Joint& joint)
{
    QString terms = QStringLiteral("部材の厚さ %1").arg(millimetres(joint.thickness));
    if (joint.washer > 0)
        terms += QStringLiteral(" + 座金 %1 %2").arg(joint.washerSymbol, millimetres(joint.washer));
    return terms;
}

} // namespace

const std::array<Material, 3>& materials()
{
    return kMaterials;
}

int nominalDiameter(const SizeParameters& size)
{
    int d = 0;
    for (char c : size.designation.substr(1))
        d = d * 10 + (c - '0');
    return d;
}

QString lengthsText(const LengthRow& row, const QString& separator)
{
    const std::pair<DimensionId, const std::string&> lengths[] = { { DimensionId::ShankLength, row.shank },
        { DimensionId::GripLength, row.grip }, { DimensionId::ThreadLength, row.thread } };
    QStringList parts;
    for (const auto& [id, value] : lengths)
        parts << symbol(id) + QLatin1Char(' ') + QString::fromStdString(value);
    return parts.join(separator);
}

QString millimetres(double value)
{
    QString text = QString::number(value, 'f', 3); // locale-free
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

LengthChoice chooseLength(const SizeParameters& size, const Joint& joint)
{
    LengthChoice choice;
    const int d = nominalDiameter(size);
    const QString name = sizeName(size);
    choice.clamped = joint.thickness + joint.washer;
    choice.engagement = joint.factor * d;
    choice.shortest = choice.clamped + choice.engagement;
    choice.rules << QStringLiteral("必要な長さ：%1 + はめあい長さ %2 × %3 = %4 mm 以上")
                        .arg(clampedTerms(joint), millimetres(joint.factor), QString::number(d),
                            millimetres(choice.shortest));
    if (joint.depth) {
        choice.longest = choice.clamped + *joint.depth;
        choice.rules << QStringLiteral("止まり穴：%1 + めねじの深さ %2 = %3 mm 以下")
                            .arg(clampedTerms(joint), millimetres(*joint.depth), millimetres(*choice.longest));
        if (choice.shortest > *choice.longest + kSlack) {
            choice.fit = Fit::HoleTooShallow;
            choice.rules << QStringLiteral(
                "適合なし（めねじが浅い）：%1 mm 以上が要るが、止まり穴に入るのは %2 mm まで")
                                .arg(millimetres(choice.shortest), millimetres(*choice.longest));
            return choice;
        }
    }

    int longestListed = 0;
    for (int key = 0; key < int(kLengthItems.size()); ++key) {
        if (rowKind(size, key) == RowKind::NoEntry)
            continue;
        longestListed = nominalLength(key);
        if (choice.key < 0 && nominalLength(key) >= choice.shortest - kSlack)
            choice.key = key;
    }
    if (choice.key < 0) {
        choice.fit = Fit::LongerThanListed;
        choice.rules << QStringLiteral("適合なし（表にない長さ）：%1 の呼び長さは %2 mm までで、%3 mm 以上はない")
                            .arg(name, QString::number(longestListed), millimetres(choice.shortest));
        return choice;
    }

    choice.length = nominalLength(choice.key);
    choice.row = row(size, choice.key);
    choice.engaged = choice.length - choice.clamped;
    const bool fullThread = rowKind(size, choice.key) == RowKind::Threaded;
    choice.rules << QStringLiteral("%1 の表で %2 mm 以上の最短の呼び長さ：%3 mm（%4）")
                        .arg(name, millimetres(choice.shortest), QString::number(choice.length),
                            fullThread ? QStringLiteral("全ねじ") : lengthsText(choice.row, QStringLiteral("、")));
    const QString designation = QStringLiteral("%1×%2").arg(name).arg(choice.length);
    if (choice.longest && choice.length > *choice.longest + kSlack) {
        choice.fit = Fit::HoleTooShallow;
        choice.rules << QStringLiteral("適合なし（めねじが浅い）：%1 は止まり穴に入る %2 mm より長い")
                            .arg(designation, millimetres(*choice.longest));
        return choice;
    }
    if (!fullThread) {
        const int grip = choice.length - size.threadLength; // lg = l − b
        if (grip > choice.clamped + kSlack) {
            choice.fit = Fit::ShankInThread;
            choice.rules << QStringLiteral(
                "適合なし（円筒部がめねじに入る）：%1 の %2 %3 mm が部材と座金の厚さ %4 mm より長い")
                                .arg(designation, symbol(DimensionId::GripLength), QString::number(grip),
                                    millimetres(choice.clamped));
            return choice;
        }
        choice.rules << QStringLiteral("%1 %2 mm ≦ 部材と座金の厚さ %3 mm：めねじにはねじ部だけが入る")
                            .arg(symbol(DimensionId::GripLength), QString::number(grip), millimetres(choice.clamped));
    }
    choice.designation = designation;
    choice.rules << QStringLiteral("ねじ込み長さ：%1 − %2 = %3 mm（はめあい長さ %4 mm 以上）")
                        .arg(QString::number(choice.length), millimetres(choice.clamped), millimetres(choice.engaged),
                            millimetres(choice.engagement));
    return choice;
}

} // namespace quill::lengths
