#include "rangerules.h"

#include "numericconversion.h"

#include <algorithm>

namespace Velt::RangeRules {

namespace {

// The views in the order a label is matched against them; the last is what anything else gives.
constexpr std::array<View, 4> kMatchOrder{{{true, true}, {false, true}, {false, false}, {true, false}}};

QChar centerSpanSeparator(const LocaleSeparators& separators)
{
    return separators.list == u';' ? u'<' : u';';
}

QChar markerOf(View view) { return view.byStep ? u':' : u'#'; }

// Where the pair is cut: the first separator followed by a blank, else the first separator,
// trying the view's own separator before the other view's.
struct Cut
{
    qsizetype at = -1;
    bool centerSpan = false;
};
Cut findPairCut(const QString& head, View view, const LocaleSeparators& separators)
{
    const QChar own = pairSeparator(view, separators);
    const QChar other = pairSeparator({!view.centerSpan, view.byStep}, separators);
    const std::array<QString, 4> candidates{QString(own) + u' ', QString(other) + u' ', QString(own),
                                            QString(other)};
    for (const QString& candidate : candidates) {
        const qsizetype at = head.indexOf(candidate);
        if (at >= 0)
            return {at, candidate.front() == own ? view.centerSpan : !view.centerSpan};
    }
    return {};
}

} // namespace

QString storedName(View view)
{
    if (view.centerSpan)
        return view.byStep ? CenterSpanStep : CenterSpanPoints;
    return view.byStep ? StartStopStep : StartStopPoints;
}

bool isDefault(View view) { return view == View{}; }

QChar pairSeparator(View view, const LocaleSeparators& separators)
{
    return view.centerSpan ? centerSpanSeparator(separators) : separators.list;
}

QString label(View view, const LocaleSeparators& separators)
{
    const QString pair = view.centerSpan ? QStringLiteral("Center") : QStringLiteral("Start");
    const QString second = view.centerSpan ? QStringLiteral("Span") : QStringLiteral("Stop");
    const QString third = view.byStep ? QStringLiteral("Step") : QStringLiteral("Points");
    return pair + pairSeparator(view, separators) + u' ' + second + u' ' + markerOf(view) + third;
}

QStringList labels(const LocaleSeparators& separators)
{
    return {label({false, false}, separators), label({false, true}, separators),
            label({true, false}, separators), label({true, true}, separators)};
}

View viewOf(const QString& text, const LocaleSeparators& separators)
{
    const QString trimmed = text.trimmed();
    for (std::size_t i = 0; i + 1 < kMatchOrder.size(); ++i) {
        const View view = kMatchOrder[i];
        if (trimmed == label(view, separators) || trimmed == storedName(view))
            return view;
    }
    return kMatchOrder.back();
}

View storedView(const QString& name, const LocaleSeparators& separators)
{
    return name.trimmed().isEmpty() ? View{} : viewOf(name, separators);
}

std::array<Quantity, 3> quantitiesOf(View view)
{
    const Quantity third = view.byStep ? Quantity::Step : Quantity::Points;
    if (view.centerSpan)
        return {Quantity::Center, Quantity::Span, third};
    return {Quantity::Start, Quantity::Stop, third};
}

QString caption(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Start:
        return QStringLiteral("Start value");
    case Quantity::Stop:
        return QStringLiteral("Stop value");
    case Quantity::Center:
        return QStringLiteral("Center value");
    case Quantity::Span:
        return QStringLiteral("Span value");
    case Quantity::Step:
        return QStringLiteral("Step size");
    case Quantity::Points:
        break;
    }
    return QStringLiteral("Number of points");
}

double Values::of(Quantity quantity) const
{
    switch (quantity) {
    case Quantity::Start:
        return start;
    case Quantity::Stop:
        return stop;
    case Quantity::Center:
        return center;
    case Quantity::Span:
        return span;
    case Quantity::Step:
        return step;
    case Quantity::Points:
        break;
    }
    return points;
}

QString renderReal(double value, const LocaleSeparators& separators)
{
    return NumericConversion::formatForcedDecimal(value, separators);
}

QString render(Quantity quantity, const Values& values, const LocaleSeparators& separators)
{
    if (quantity == Quantity::Points)
        return QString::number(values.points);
    return renderReal(values.of(quantity), separators);
}

Parsed<double> parse(Quantity quantity, const QString& text, const LocaleSeparators& separators)
{
    const QString trimmed = text.trimmed();
    if (quantity != Quantity::Points) {
        return NumberTexts::readNumber(caption(quantity), trimmed, NumberTexts::NumericValueKind,
                                       [&](QStringView number) {
                                           return NumericConversion::toReal(number, separators);
                                       });
    }
    const Int16Result points = NumericConversion::toInt16(trimmed, separators);
    if (!points.ok()) {
        return {0, NumberTexts::notLegalMessage(caption(quantity), QStringLiteral("integer value"),
                                                points.description())};
    }
    return {double(points.value), QString()};
}

QString spanMessage() { return QStringLiteral("'Span value' must be greater than or equal to zero"); }

QString rowText(View view, const Values& values, const QString& units,
                const LocaleSeparators& separators)
{
    const std::array<Quantity, 3> shown = quantitiesOf(view);
    QString text = render(shown[0], values, separators) + pairSeparator(view, separators) + u' '
            + render(shown[1], values, separators) + u' ' + markerOf(view)
            + render(shown[2], values, separators);
    if (!units.isEmpty())
        text += u' ' + units;
    return text;
}

RowParts splitRow(const QString& text, View view, const QString& units,
                  const LocaleSeparators& separators)
{
    QString rest = text.trimmed();
    const QString suffix = u' ' + units.trimmed();
    if (suffix.size() > 1 && rest.endsWith(suffix))
        rest.chop(suffix.size());

    RowParts parts{view, {}};
    const qsizetype marker = std::max(rest.lastIndexOf(u':'), rest.lastIndexOf(u'#'));
    if (marker >= 0) {
        parts.view.byStep = rest.at(marker) == u':';
        parts.texts[2] = rest.mid(marker + 1).trimmed();
        rest.truncate(marker);
    }
    const Cut cut = findPairCut(rest, view, separators);
    if (cut.at >= 0) {
        parts.view.centerSpan = cut.centerSpan;
        parts.texts[0] = rest.left(cut.at).trimmed();
        parts.texts[1] = rest.mid(cut.at + 1).trimmed();
    } else {
        parts.texts[0] = rest.trimmed();
    }
    return parts;
}

StatusLine summary(View view, const std::array<QString, 3>& texts,
                   const LocaleSeparators& separators)
{
    const std::array<Quantity, 3> shown = quantitiesOf(view);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Parsed<double> read = parse(shown[i], texts[i], separators);
        if (!read.ok())
            return {read.error, QString()};
    }
    const QString between = view.centerSpan ? QStringLiteral("; ") : separators.listText() + u' ';
    const QString marker = view.byStep ? QStringLiteral(" :") : QStringLiteral(" #");
    return {QString(), texts[0].trimmed() + between + texts[1].trimmed() + marker + texts[2].trimmed()};
}

} // namespace Velt::RangeRules
