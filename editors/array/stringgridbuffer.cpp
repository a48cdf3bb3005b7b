#include "stringgridbuffer_p.h"

#include "qtstrings.h"
#include "stringrules.h"

#include "quen/quencore.h"

#include <QCoreApplication>

#include <algorithm>

namespace Velt {

StringGridBuffer::StringGridBuffer() : m_values(1), m_view(StringRules::Characters) { }

void StringGridBuffer::load(int32_t item)
{
    if (QuenArrayGetSize(item) == 0)
        QuenArrayRedim(item, 0, 0);
    m_first = int16_t(QuenArrayGetLowerBound(item, 0));
    const int32_t last = QuenArrayGetUpperBound(item, 0);
    m_values.assign(size_t(std::max(last - m_first + 1, 1)), QString());
    for (int32_t index = m_first; index <= last; ++index)
        m_values[size_t(index - m_first)] = quen::toQString(QuenStrArrGetAt1(item, index));
}

void StringGridBuffer::store(int32_t item) const
{
    const int32_t last = int32_t(m_first) + int32_t(m_values.size()) - 1;
    QuenArrayRedim(item, m_first, last);
    for (int32_t index = m_first; index <= last; ++index)
        QuenStrArrSetAt1(item, index, quen::toUtf8(m_values[size_t(index - m_first)]).constData());
}

QString StringGridBuffer::characters(int index) const
{
    const int64_t at = int64_t(index) - m_first;
    return at >= 0 && at < int64_t(m_values.size()) ? m_values[size_t(at)] : QString();
}

void StringGridBuffer::setCharacters(int index, const QString& characters)
{
    const int64_t at = int64_t(index) - m_first;
    if (at >= 0 && at < int64_t(m_values.size()))
        m_values[size_t(at)] = characters;
}

ArrayShape StringGridBuffer::shape() const
{
    ArrayShape shape;
    shape.spans[0] = {m_first, int16_t(int32_t(m_first) + int32_t(m_values.size()) - 1)};
    return shape;
}

QString StringGridBuffer::cellText(const ArrayCell& cell) const
{
    return StringRules::render(characters(cell.row), m_view);
}

QString StringGridBuffer::checkCellText(const ArrayCell&, const QString& text) const
{
    return StringRules::readBack(text, m_view).error;
}

QString StringGridBuffer::setCellText(const ArrayCell& cell, const QString& text)
{
    const Parsed<QString> read = StringRules::readBack(text, m_view);
    if (read.ok())
        setCharacters(cell.row, read.value);
    return read.error;
}

void StringGridBuffer::clearCell(const ArrayCell& cell) { setCharacters(cell.row, QString()); }

QString StringGridBuffer::redimension(const ArrayShape& shape)
{
    const ArraySpan span = shape.spans[0];
    if (span.lower > span.upper)
        return QStringLiteral("lower bound above upper bound");
    std::vector<QString> values(size_t(span.extent()));
    const int32_t last = int32_t(m_first) + int32_t(m_values.size()) - 1;
    const int32_t from = std::max<int32_t>(m_first, span.lower);
    const int32_t to = std::min<int32_t>(last, span.upper);
    for (int32_t index = from; index <= to; ++index)
        values[size_t(index - span.lower)] = std::move(m_values[size_t(index - m_first)]);
    m_values = std::move(values);
    m_first = span.lower;
    return {};
}

QString StringGridBuffer::valueHeader() const
{
    const QString header = QCoreApplication::translate("StringArrayEditor", "String value");
    return m_view == StringRules::Characters ? header : header + QStringLiteral(" (") + m_view + u')';
}

} // namespace Velt
