// Shared by the number editor tests: an integer ("Count") or real ("Volts") parameter picked by a
// table's type column, its typed properties set and read with the core's calls, the rules' traits
// picked by the same column, and typing into and pressing the dialogs' controls.
#pragma once

#include "coretesting.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "int32rules.h"
#include "numericconversion.h"
#include "real64rules.h"
#include "xcdialogdataediting.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <type_traits>

namespace NumberTest {

using VeltTest::CoreBuilder;

inline bool isInteger(QuenHandle item) { return QuenDataGetType(item) == QByteArray("CQuenInt32"); }

// A parameter of the type named "integer" or "real", in a block of its own.
inline QuenHandle parameter(CoreBuilder& core, const QString& type, double value)
{
    return type == u"integer" ? CoreBuilder::intParm(core.block(), "Count", int32_t(value))
                              : CoreBuilder::realParm(core.block(), "Volts", value);
}

inline void setPrecision(QuenHandle item, int32_t precision)
{
    CoreBuilder::attach(item, "Precision", QuenInt32Create(precision));
}
inline void setRestriction(QuenHandle item, double low, double high)
{
    const QuenHandle array = isInteger(item) ? QuenI32ArrCreate(1, 2) : QuenR64ArrCreate(1, 2);
    for (const int32_t at : {1, 2})
        isInteger(item) ? void(QuenI32ArrSetAt1(array, at, int32_t(at == 1 ? low : high))) : void(QuenR64ArrSetAt1(array, at, at == 1 ? low : high));
    CoreBuilder::attach(item, "Restriction", array);
}
inline double value(QuenHandle item)
{
    return isInteger(item) ? QuenInt32GetValue(item) : QuenReal64GetValue(item);
}
// "low..high" (reals in the general format), "<absent>" without a restriction.
inline QString restriction(QuenHandle item)
{
    const QuenHandle array = QuenDataExGetProperty(item, "Restriction");
    if (!array)
        return QStringLiteral("<absent>");
    const bool integer = QuenDataGetType(array) == QByteArray("CQuenInt32Array");
    const auto bound = [&](int32_t i) {
        return integer ? QString::number(QuenI32ArrGetAt1(array, i)) : Velt::NumericConversion::formatGeneral(QuenR64ArrGetAt1(array, i));
    };
    return bound(1) + QStringLiteral("..") + bound(2);
}
// "begin..end: a|b|c", "<absent>" without a choice list.
inline QString choices(QuenHandle item)
{
    const QuenHandle array = QuenDataExGetProperty(item, "Enumeration");
    if (!array)
        return QStringLiteral("<absent>");
    const int32_t begin = QuenArrayGetLowerBound(array, 0);
    const int32_t end = QuenArrayGetUpperBound(array, 0);
    QStringList labels;
    for (int32_t i = begin; i <= end; ++i)
        labels << QString::fromUtf8(QuenStrArrGetAt1(array, i));
    return QStringLiteral("%1..%2: ").arg(begin).arg(end) + labels.join(u'|');
}

// Calls f with the rules' traits of the type named in a table.
template <typename F>
auto byType(const QString& type, F f)
{
    return type == u"integer" ? f(Velt::Int32Rules::Traits{}) : f(Velt::Real64Rules::Traits{});
}
// A rendering written in a table: the view for integers, the precision for reals.
template <typename Traits>
typename Traits::Rendering rendering(const QString& text)
{
    if constexpr (std::is_same_v<typename Traits::Rendering, QString>)
        return text;
    else
        return text.toInt();
}

inline DataEditor* hostOf(QObject* editor) { return editor->findChild<DataEditor*>(QStringLiteral("DataEditor")); }
template <typename T = QLineEdit>
T* child(QObject* editor, const char* name)
{
    return editor->findChild<T*>(QString::fromLatin1(name));
}
// Replaces a box's text by typing, one key at a time, as a user does.
inline void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}
inline void press(QObject* editor, const char* button)
{
    hostOf(editor)->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}

} // namespace NumberTest
