// SymbolSelector: the control with which a user picks a symbol (a named entry of a symbol table)
// of one data class. It lists the public tables of the core's table registry, the pseudo-table
// "All Public" (the symbols of every public table, sorted) and optionally an action's local
// table, and under the chosen table the visible symbols whose type name matches Filter.
//
// Two presentations, switched by Compact:
//   - compact: one drop-down, "SymbolTableCombo", whose table entries expand in place into their
//     symbols (indented below them) and collapse again;
//   - full: "TableList" beside "SymbolList" (or "SortedSymbolList" for "All Public"), Spacing
//     twips apart.
// Every choice is reported by Change(TableName, SymbolName, ErrorMessage).
//
// The entries are built from the core when the control is first shown, on Refresh, and on
// first use of TableName/SymbolName. Ownership: the control holds one reference on LocalHandle
// (QuenPbAddRef when set, QuenPbRelease when replaced and on destruction) and nothing else of
// the core.
//
// Key events pass their by-reference arguments as pointers: a handler may change *KeyCode
// (a Qt::Key; 0 swallows the key), *Shift (1 Shift, 2 Ctrl, 4 Alt) or *KeyAscii (0 swallows
// the character). Each is raised a second time for late-bound hosts, with one object holding
// the arguments by name (Velt::KeyArguments, Velt::KeyAsciiArguments), which a script handler
// changes instead. Change passes its three arguments by value.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <memory>

namespace Velt {
class KeyArguments;
class KeyAsciiArguments;
}

class VELT_EXPORT SymbolSelector : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("keyarguments.h")
    Q_MOC_INCLUDE("keyasciiarguments.h")
    Q_PROPERTY(QString Filter READ Filter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(bool Compact READ Compact WRITE setCompact NOTIFY compactChanged)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QString Separator READ Separator WRITE setSeparator NOTIFY separatorChanged)
    Q_PROPERTY(qint16 Spacing READ Spacing WRITE setSpacing NOTIFY spacingChanged)
    Q_PROPERTY(QString LocalName READ LocalName WRITE setLocalName NOTIFY localNameChanged)
    Q_PROPERTY(qint32 LocalHandle READ LocalHandle WRITE setLocalHandle NOTIFY localHandleChanged)
    Q_PROPERTY(QString TableName READ TableName WRITE setTableName NOTIFY tableNameChanged)
    Q_PROPERTY(QString SymbolName READ SymbolName WRITE setSymbolName NOTIFY symbolNameChanged)
    Q_PROPERTY(QString FullName READ FullName NOTIFY fullNameChanged)

public:
    explicit SymbolSelector(QWidget* parent = nullptr);
    ~SymbolSelector() override;

    // Data class of the symbols offered ("" = every class), compared exactly with the symbol's
    // type name. Takes effect at the next Refresh and when TableName is set.
    QString Filter() const;
    void setFilter(const QString& filter);

    // Single drop-down (true, the default) or the two lists.
    bool Compact() const;
    void setCompact(bool compact);

    // Put between table and symbol in FullName; "." by default.
    QString Separator() const;
    void setSeparator(const QString& separator);

    // Gap between the table list and the symbol list of the full presentation, in twips
    // (100 by default; negative values lay out as 0).
    qint16 Spacing() const;
    void setSpacing(qint16 spacing);

    // Name under which the local table is listed ("ActionLocals" by default; "" hides it).
    QString LocalName() const;
    void setLocalName(const QString& name);

    // The local table (a parameter block), 0 for none. Setting it takes a reference on the new
    // block and releases the one on the previous block; the entries change at the next Refresh.
    qint32 LocalHandle() const;
    void setLocalHandle(qint32 handle);

    // The chosen table; "" while "All Public" (or nothing) is chosen. Setting it chooses the
    // table of that name (the local table by LocalName, "All Public" by that text or by "")
    // and lists its symbols, also when it is the chosen table (the symbol stays while still
    // listed); an unknown name clears the choice.
    QString TableName() const;
    void setTableName(const QString& name);

    // The chosen symbol; "" when none. Setting it chooses that symbol of the chosen table
    // (an unknown name clears the symbol).
    QString SymbolName() const;
    void setSymbolName(const QString& name);

    // SymbolName alone when TableName is "", else TableName + Separator + SymbolName.
    QString FullName() const;

    // Rebuilds the table entries from the registry, keeping the choice when it still exists.
    Q_INVOKABLE void Refresh();
    // The core's string conversion (QuenConvertToString) of a text handed out by the core.
    Q_INVOKABLE QString ConvertLpcstrToString(const QByteArray& lpszString) const;
    static QString ConvertLpcstrToString(const char* lpszString);

    // Persistence of Filter, Compact, Enabled, Separator, Spacing, LocalName and LocalHandle,
    // keyed by property name. loadProperties gives every key missing from the map its default.
    Q_INVOKABLE QVariantMap saveProperties() const;
    Q_INVOKABLE void loadProperties(const QVariantMap& properties);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // Published events, in this order.
    void KeyDown(int* KeyCode, int* Shift);
    void KeyPress(int* KeyAscii);
    void KeyUp(int* KeyCode, int* Shift);
    void Change(QString TableName, QString SymbolName, QString ErrorMessage);
    void DblClick();

    // The key events' late-bound forms, raised right after the forms above. Declared after
    // them, so that a script engine connecting by name takes these.
    void KeyDown(Velt::KeyArguments* Arguments);
    void KeyPress(Velt::KeyAsciiArguments* Arguments);
    void KeyUp(Velt::KeyArguments* Arguments);

    // Property notifications: each is raised once its property reads a new value, whether a
    // setter, the user's choice or Refresh changed it (setting the same value raises nothing).
    void filterChanged(const QString& filter);
    void compactChanged(bool compact);
    void enabledChanged(bool enabled);
    void separatorChanged(const QString& separator);
    void spacingChanged(qint16 spacing);
    void localNameChanged(const QString& name);
    void localHandleChanged(qint32 handle);
    void tableNameChanged(const QString& name);
    void symbolNameChanged(const QString& name);
    void fullNameChanged(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
