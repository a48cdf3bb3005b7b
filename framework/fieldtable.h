// FieldTable: a type editor's structured face declared once, as rows, and the one
// implementation of the four XCStructEditing calls that runs them.
//
// A row says what one line of the hierarchy is: its caption, indentation and picture, when it
// is declared, whether it is locked and which choices it offers, how its text is read and how
// a new text is applied. A repeated row declares one line per value of a range ("Label (i)").
// The root line (field 0, added by the collection) has a row of its own.
//
// DeclareFields marks every field it adds with its row, so GetField, DeclareField and
// FieldChanged go straight to that row: a read does only what its row's read does, and reading
// every field of an item costs one row call per field. Widget-free; rows reach the core
// themselves. After a change that succeeds, the core's collected errors are shown.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class XCStructEditFields;
class XCStructEditField;

namespace Velt {

// What a row's functions are given.
struct FieldCall
{
    int32_t item = 0;       // the handle the type editor was called with
    bool designTime = true; // the collection's DesignTime
    int32_t value = 0;      // for a line of a repeated row: the value it stands for
    bool postEdits = true;  // for a change: whether the viewer posts it
    int32_t locals = 0;     // the collection's locals block, 0 for none
};

// A line's text and, when what it shows is in error, why.
struct FieldText
{
    QString text{};
    QString error{};
};

// The choices a line offers, and an error when they say the line cannot be chosen from.
struct FieldChoices
{
    QStringList choices{};
    QString error{};
};

// What applying a new text did: nothing, with the reason, or a change, after which the viewer
// may have to read every line again.
struct FieldChange
{
    QString error{};
    bool refresh = false;

    static FieldChange failed(const QString& error) { return {error, false}; }
    static FieldChange done(bool refresh = false) { return {QString(), refresh}; }
};

// How one line of a repeated row is declared, where its lines differ in more than the caption.
struct FieldLine
{
    QString caption{};
    int indentation = 1;
    QString picture{};
};

// The values a repeated row declares lines for, first to last.
struct FieldRange
{
    int32_t first = 0;
    int32_t last = -1;
};

class VELT_EXPORT FieldTable
{
public:
    using Condition = std::function<bool(const FieldCall&)>;

    struct Row
    {
        QString caption{};
        int indentation = 1;
        QString picture{};
        QString runTimePicture{};                               // outside design time, if set
        Condition shown{};                                      // declared when; always if unset
        std::function<FieldRange(const FieldCall&)> repeat{};   // one line per value, if set
        std::function<QString(int32_t value)> repeatCaption{};  // the caption of each
        // Instead of repeatCaption, indentation and picture: each line's own (the rows and
        // columns of a table, interleaved).
        std::function<FieldLine(const FieldCall&, int32_t value)> repeatLine{};
        Condition locked{};                                     // stays locked if unset
        std::function<FieldChoices(const FieldCall&)> choices{};
        std::function<FieldText(const FieldCall&)> read{};
        std::function<FieldChange(const FieldCall&, const QString& text)> apply{};
    };

    FieldTable() = default;
    FieldTable(Row root, std::vector<Row> rows);

    // XCStructEditing, for the type editor that owns the table.
    void declareFields(int32_t item, XCStructEditFields& fields) const;
    void declareField(int32_t item, XCStructEditField& field) const;
    void getField(int32_t item, XCStructEditField& field) const;
    void fieldChanged(int32_t item, XCStructEditField& field, bool postEdits, bool& refresh) const;

    // Conditions many rows use.
    static bool always(const FieldCall&) { return true; }
    static bool never(const FieldCall&) { return false; }
    static bool atDesignTime(const FieldCall& call) { return call.designTime; }
    static bool atRunTime(const FieldCall& call) { return !call.designTime; }

private:
    const Row* rowOf(const XCStructEditField& field) const;

    Row m_root;
    std::vector<Row> m_rows;
};

} // namespace Velt
