#include "stringarrayfields_p.h"

#include "arrayitem_p.h"
#include "itemproperties_p.h"
#include "qtstrings.h"
#include "stringarrayrules.h"
#include "stringrules.h"

#include "quen/quencore.h"

namespace Velt::StringArrayFields {

namespace {

namespace P = ItemProperties;
namespace A = StringArrayRules;
using Row = FieldTable::Row;

QString viewOf(int32_t item) { return A::viewOf(P::stringProperty(item, P::ViewAs)); }

bool editedInPlace(const FieldCall& call)
{
    const int32_t count = ArrayItem::elementCount(call.item);
    return call.item != 0 && count >= 1 && count <= A::MaxFieldElements;
}

} // namespace

FieldTable table()
{
    Row root{
        .caption = QStringLiteral("Value"),
        .picture = QStringLiteral("CQuenStringArray"),
        .read =
            [](const FieldCall& call) {
                if (!call.item)
                    return FieldText{A::summary(0, 0, 0, QString())};
                return FieldText{A::summary(ArrayItem::elementCount(call.item),
                                            QuenArrayGetLowerBound(call.item, 0),
                                            QuenArrayGetUpperBound(call.item, 0), viewOf(call.item))};
            },
        .apply = [](const FieldCall&, const QString&) { return FieldChange::failed(A::rootNotEditable()); },
    };
    Row element{
        .indentation = 0,
        .shown = editedInPlace,
        .repeat =
            [](const FieldCall& call) {
                return FieldRange{QuenArrayGetLowerBound(call.item, 0),
                                  QuenArrayGetUpperBound(call.item, 0)};
            },
        .repeatCaption = A::elementCaption,
        .locked = FieldTable::never,
        .read =
            [](const FieldCall& call) {
                return FieldText{StringRules::render(
                    quen::toQString(QuenStrArrGetAt1(call.item, call.value)), viewOf(call.item))};
            },
        .apply =
            [](const FieldCall& call, const QString& text) {
                const Parsed<QString> typed = StringRules::readBack(text, viewOf(call.item));
                if (!typed.ok())
                    return FieldChange::failed(typed.error);
                QuenStrArrSetAt1(call.item, call.value, quen::toUtf8(typed.value).constData());
                return FieldChange::done(true);
            },
    };
    Row view{
        .caption = QStringLiteral("View As"),
        .picture = QStringLiteral("Enumeration"),
        .shown = editedInPlace,
        .locked = FieldTable::never,
        .choices = [](const FieldCall&) { return FieldChoices{StringRules::viewNames()}; },
        .read = [](const FieldCall& call) { return FieldText{viewOf(call.item)}; },
        .apply =
            [](const FieldCall& call, const QString& text) {
                const QString chosen = text.trimmed();
                if (chosen == StringRules::Characters)
                    P::removeProperty(call.item, P::ViewAs);
                else
                    P::setStringProperty(call.item, P::ViewAs, chosen);
                return FieldChange::done(true);
            },
    };
    return FieldTable(std::move(root), {std::move(element), std::move(view)});
}

} // namespace Velt::StringArrayFields
