#include "numberinput.h"

namespace quill {

namespace {

// Full-width digits, point and minus as plain ASCII; everything else as it is.
QString halfWidth(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            plain += QChar(u'0' + (u - u'０'));
        else if (u == u'．')
            plain += QLatin1Char('.');
        else if (u == u'－' || u == u'−')
            plain += QLatin1Char('-');
        else
            plain += c;
    }
    return plain;
}

} // namespace

TypedNumber readPositive(const QString& text, double maximum)
{
    QString plain = halfWidth(text).trimmed(); // trimmed() also takes the ideographic space
    if (plain.isEmpty())
        return { std::nullopt, NumberProblem::Empty };
    const bool negative = plain.startsWith(QLatin1Char('-'));
    if (negative)
        plain.remove(0, 1);
    int points = 0;
    int digits = 0;
    for (QChar c : plain) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else
            return { std::nullopt, NumberProblem::NotANumber };
    }
    if (digits == 0)
        return { std::nullopt, NumberProblem::NotANumber };
    if (points > 1)
        return { std::nullopt, NumberProblem::TwoPoints };
    const double value = plain.toDouble(); // only digits and one point: always read
    if (value == 0)
        return { std::nullopt, NumberProblem::Zero };
    if (negative)
        return { std::nullopt, NumberProblem::Negative };
    if (value > maximum)
        return { std::nullopt, NumberProblem::TooLarge };
    return { value, NumberProblem::None };
}

QString problemText(NumberProblem problem, const QString& maximum)
{
    switch (problem) {
    case NumberProblem::None:
        break;
    case NumberProblem::Empty:
        return QStringLiteral("値を入力してください");
    case NumberProblem::NotANumber:
        return QStringLiteral("数字で入力してください");
    case NumberProblem::TwoPoints:
        return QStringLiteral("小数点は一つまでです");
    case NumberProblem::Zero:
        return QStringLiteral("0 より大きい値にしてください");
    case NumberProblem::Negative:
        return QStringLiteral("負の値は使えません");
    case NumberProblem::TooLarge:
        return QStringLiteral("%1 以下にしてください").arg(maximum);
    }
    return {};
}

} // namespace quill
