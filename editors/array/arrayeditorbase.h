// ArrayEditorBase: the frame every array type editor is built on (string, integer and real
// arrays): a tabbed panel with the "Values" tab (the grid of one plane with its overlay cell
// editor, context menu and clipboard commands, the index boxes, the value entry ValueText with
// its two-button ValueToolbar) and the "Dimensions" tab (per dimension the bound boxes
// LowerText/UpperText with their up-downs and lock check boxes, for the numeric members the
// DimensionsCombo, and TotalText). A member adds its buffer, its texts and its further tabs
// (arrayeditorbase_p.h); the frame steps and applies bounds, navigates indices, runs the
// clipboard commands and keeps the host's status line.
//
// The bound controls are control arrays indexed by dimension (0 rows, 1 columns, 2 planes),
// published as indexed getters; they all carry their array's name as objectName and their
// dimension in the property "Index".
#pragma once

#include "typeeditorbase.h"

namespace Velt {

class ArrayEditorBasePrivate;

class VELT_EXPORT ArrayEditorBase : public TypeEditorBase
{
    Q_OBJECT

public:
    ~ArrayEditorBase() override;

    Q_INVOKABLE QObject* LowerText(int Index) const;
    Q_INVOKABLE QObject* UpperText(int Index) const;
    Q_INVOKABLE QObject* LowerLockedCheck(int Index) const;
    Q_INVOKABLE QObject* UpperLockedCheck(int Index) const;
    Q_INVOKABLE QObject* LowerUpDown(int Index) const;
    Q_INVOKABLE QObject* UpperUpDown(int Index) const;

protected:
    ArrayEditorBase(ArrayEditorBasePrivate& dd, const QString& dataClass, const QString& dataType,
                    const QString& pictureKey, QWidget* parent);

private:
    Q_DECLARE_PRIVATE_D(d_te, ArrayEditorBase)
};

} // namespace Velt
