// RangeEditor: the type editor of range items ("CQuenRange"): a sweep of reals given by start
// and stop or by center and span, and by a step size or a number of points, with its units.
// Which pair and which third quantity the user works with is the range's view ("View As").
//
// Dialog face: a DataEditor host (child "DataEditor") whose edit area holds the options
// StartStopOption / CenterSpanOption and StepSizeOption / PointsOption, the boxes StartText,
// StopText, CenterText, SpanText, StepSizeText, PointsText and UnitsText. The edit works on a
// copy of the range that the core keeps consistent; OK stores the chosen view's quantities
// into the item, Cancel writes nothing. Structured face: the field table of RangeFields. No
// runtime side.
//
// The controls only wire the user's actions to RangeRules and to the range in the core.
#pragma once

#include "typeeditorbase.h"

class RangeEditorPrivate;

class VELT_EXPORT RangeEditor : public Velt::TypeEditorBase
{
    Q_OBJECT

public:
    explicit RangeEditor(QWidget* parent = nullptr);
    ~RangeEditor() override;

    // The copy of the range the open edit works on, 0 when no edit is open.
    int32_t workingCopy() const;

protected:
    void beginEdit(int32_t item) override;
    void acceptEdit(int32_t item) override;
    void cancelEdit() override;

private:
    Q_DECLARE_PRIVATE_D(d_te, RangeEditor)
};
