// DataEditorRules: the texts and size sums of the data editor host, free of widgets so that
// the DataEditor, the DataEditorForm and their tests share one copy of each rule.
//
// Every size is in twips. Sums are checked: an overflow gives std::nullopt, never a wrap.
#pragma once

#include "velt_export.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace Velt::DataEditorRules {

// "parameter", or "symbol" for a symbol edit without default data.
VELT_EXPORT QString kind(bool symbolMode, bool hasDefaultData);
// The caption of the parameter frame: "This parameter..." / "This symbol...".
VELT_EXPORT QString parameterFrameCaption(const QString& kind);

// The status line. An error wins over a status text; without either, the line tells what is
// being edited (or viewed).
struct StatusLine
{
    QString text;
    bool isError = false; // shown on tooltip colours; otherwise menu colour and window text
};
VELT_EXPORT StatusLine statusLine(const QString& errorMessage, const QString& statusMessage,
                                  bool readOnly, const QString& kind,
                                  const QString& parameterName);

// The prompt of a reference edit, and the status after the selector reported a choice.
VELT_EXPORT QString referencePrompt();
VELT_EXPORT QString referenceStatus(const QString& tableName, const QString& symbolName);

// The initial ParameterName.
VELT_EXPORT QString defaultParameterName();

struct SizeInput
{
    int32_t minimumWidth = 0;     // the designed width of the title frame
    int32_t reserveWidth = 4495;  // ReserveWidth
    int32_t reserveHeight = 2395; // ReserveHeight
    int32_t editAreaLeft = 0;     // EditArea.Left
    int32_t editAreaTop = 0;      // EditArea.Top
    bool optionsShown = false;    // the upper frame with the parameter's options is shown
    int32_t upperFrameHeight = 0; // its height
};
struct RecommendedSize
{
    int32_t height = 0;
    int32_t width = 0;
};
// GetRecommendedSize's sums.
VELT_EXPORT std::optional<RecommendedSize> recommendedSize(const SizeInput& input);
// Whether the upper frame counts: at design time, when the reference may be edited, or when
// a default parameter is given.
VELT_EXPORT bool optionsShown(bool designTime, bool referenceEditable, bool hasDefaultParameter);

// DataEditorForm: the caption, and the form's size for the control's size (the form's border
// adds 130 twips in height).
VELT_EXPORT QString formCaption(const QString& parameterName, const QString& dataType,
                                bool readOnly);
VELT_EXPORT std::optional<RecommendedSize> formSize(const RecommendedSize& control);
inline constexpr int32_t FormBorderHeight = 130;
inline constexpr int32_t FormSetUpSize = 1000;

// DataEditorForm.SetUpEditor's flags: a default parameter turns DesignTime off; without
// DesignTime there is no OutputDefinition.
struct SetUpFlags
{
    bool designTime = false;
    bool outputDefinition = false;
};
VELT_EXPORT SetUpFlags setUpFlags(bool hasDefaultParameter, bool designTime, bool outputDefinition);

} // namespace Velt::DataEditorRules
