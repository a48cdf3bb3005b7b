#include "real64fields_p.h"

#include "itemproperties_p.h"
#include "numberfields_p.h"
#include "real64rules.h"

#include <utility>

namespace Velt::Real64Fields {

namespace {

namespace R = Real64Rules;
namespace P = ItemProperties;
using Number = NumberFields<R::Traits>;
using Row = FieldTable::Row;

const Number::Face& numberFace()
{
    static const Number::Face face{.rendering = precisionOf};
    return face;
}

} // namespace

int precisionOf(int32_t item) { return P::int32Property(item, P::Precision).value_or(0); }

FieldTable table(std::function<Bounds<double>()> editorBounds)
{
    Row style = Number::styleRow(R::StylePlain, R::styleNames());
    style.apply = [editorBounds](const FieldCall& call, const QString& text) {
        if (text.trimmed() == NumberTexts::StyleRestricted)
            Number::restrictWith(call.item, editorBounds());
        else
            P::removeProperty(call.item, P::Restriction);
        return FieldChange::done();
    };
    Row precision{
        .caption = QStringLiteral("Precision"),
        .picture = QStringLiteral("Number"),
        .locked = FieldTable::never,
        .read =
            [](const FieldCall& call) {
                return FieldText{R::precisionText(precisionOf(call.item))};
            },
        .apply =
            [](const FieldCall& call, const QString& text) {
                const Parsed<int> typed = R::validatePrecision(text);
                if (!typed.ok())
                    return FieldChange::failed(typed.error);
                P::setInt32PropertyOrRemove(call.item, P::Precision, typed.value);
                return FieldChange::done();
            },
    };
    return Number::table(Number::valueRow(numberFace()), {std::move(style)}, numberFace(),
                         {std::move(precision)});
}

} // namespace Velt::Real64Fields
