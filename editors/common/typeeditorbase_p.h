// The private part every type editor's private part derives from: the host, the panel, the
// item of the edit in progress and the field table, with the host's messages at hand for the
// dialog's helpers (which live in the private parts).
#pragma once

#include "fieldtable.h"
#include "typeeditorbase.h"

#include <QString>

#include <cstdint>

class DataEditor;

namespace Velt {

class VELT_EXPORT TypeEditorBasePrivate
{
    Q_DECLARE_PUBLIC(TypeEditorBase)

public:
    virtual ~TypeEditorBasePrivate();

    // The host's messages: the error, and the status when there is no error.
    void showMessages(const QString& error, const QString& status) const;
    void showError(const QString& error) const;
    void showStatus(const QString& status) const;
    bool designTime() const;

    TypeEditorBase* q_ptr = nullptr;
    DataEditor* host = nullptr;
    QWidget* panel = nullptr;
    int32_t item = 0; // of the edit in progress, 0 when none
    FieldTable fields;
};

} // namespace Velt
