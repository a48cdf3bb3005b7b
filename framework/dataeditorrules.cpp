#include "dataeditorrules.h"

#include <algorithm>
#include <limits>

namespace Velt::DataEditorRules {

namespace {

std::optional<int32_t> add(std::optional<int32_t> a, int64_t b)
{
    if (!a)
        return std::nullopt;
    const int64_t sum = int64_t(*a) + b;
    if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(sum);
}

const QChar Quote = u'"';

} // namespace

QString kind(bool symbolMode, bool hasDefaultData)
{
    return symbolMode && !hasDefaultData ? QStringLiteral("symbol") : QStringLiteral("parameter");
}

QString parameterFrameCaption(const QString& kind)
{
    return QStringLiteral("This ") + kind + QStringLiteral("...");
}

StatusLine statusLine(const QString& errorMessage, const QString& statusMessage, bool readOnly,
                      const QString& kind, const QString& parameterName)
{
    if (!errorMessage.isEmpty())
        return {errorMessage, true};
    if (!statusMessage.isEmpty())
        return {statusMessage, false};
    const QString subject = kind + u' ' + Quote + parameterName + Quote;
    if (readOnly)
        return {QStringLiteral("Viewing ") + subject + QStringLiteral(" - Changes not saved"), false};
    return {QStringLiteral("Editing ") + subject, false};
}

QString referencePrompt() { return QStringLiteral("Highlight a table and a symbol. Press 'OK'."); }

QString referenceStatus(const QString& tableName, const QString& symbolName)
{
    QString text = QStringLiteral("Press 'OK' to reference '") + symbolName + u'\'';
    if (!tableName.isEmpty())
        text += QStringLiteral(" in '") + tableName + u'\'';
    return text;
}

QString defaultParameterName() { return QStringLiteral("<Parameter Name>"); }

bool optionsShown(bool designTime, bool referenceEditable, bool hasDefaultParameter)
{
    return designTime || referenceEditable || hasDefaultParameter;
}

std::optional<RecommendedSize> recommendedSize(const SizeInput& in)
{
    const int32_t w = std::max(in.minimumWidth, in.reserveWidth);
    std::optional<int32_t> width = add(add(int32_t(50), w), 2 * int64_t(in.editAreaLeft));
    const std::optional<int32_t> top =
        in.optionsShown ? add(in.upperFrameHeight, 100) : std::optional<int32_t>(100);
    std::optional<int32_t> h = add(add(add(top, in.editAreaTop), in.reserveHeight), 640);
    const std::optional<int32_t> least = add(add(in.editAreaTop, 2200), 640);
    if (h && least && *h < *least)
        h = least;
    const std::optional<int32_t> height = add(add(h, 640), 1000);
    if (!width || !height || !least)
        return std::nullopt;
    return RecommendedSize{*height, *width};
}

QString formCaption(const QString& parameterName, const QString& dataType, bool readOnly)
{
    QString caption = parameterName;
    if (!dataType.isEmpty())
        caption += QStringLiteral(" - ") + dataType;
    if (readOnly)
        caption += QStringLiteral(" - View Only");
    return caption;
}

std::optional<RecommendedSize> formSize(const RecommendedSize& control)
{
    const std::optional<int32_t> height = add(control.height, FormBorderHeight);
    if (!height)
        return std::nullopt;
    return RecommendedSize{*height, control.width};
}

SetUpFlags setUpFlags(bool hasDefaultParameter, bool designTime, bool outputDefinition)
{
    const bool effectiveDesign = designTime && !hasDefaultParameter;
    return {effectiveDesign, effectiveDesign && outputDefinition};
}

} // namespace Velt::DataEditorRules
