// SymbolDialogs: an invisible control offering two modal dialogs: picking an existing symbol
// ("SelectSymbolDialog", a full SymbolSelector with a prompt line) and creating a new symbol in a
// symbol table ("NewSymbolDialog", a ParmBlockEditor on the table that inserts the symbol at the
// top and lets the user name it and give it a value). Both return the name, "" on Cancel. Each
// form exists once per process and is reused; it is owned by the host's window while it shows.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QWidget>

class VELT_EXPORT SymbolDialogs : public QWidget
{
    Q_OBJECT
public:
    explicit SymbolDialogs(QWidget* parent = nullptr);
    ~SymbolDialogs() override;

    // Creates a symbol in the registry's table named SymbolTable; "" when there is no such
    // table, the dialog is already open, or the user cancels (the symbol is then removed).
    Q_INVOKABLE QString InsertNewSymbolDialog(const QString& SymbolTable, const QString& DataType);
    // Lets the user pick a symbol of the class; the selector's FullName on OK, else "".
    Q_INVOKABLE QString ReferenceSymbolDialog(const QString& DataType, const QString& SelectTable = QString(),
                                              const QString& SelectSymbol = QString(),
                                              const QString& Separator = QStringLiteral("."));

    // The same pick, giving the table and the symbol apart; false on Cancel.
    bool pickSymbol(const QString& dataClass, QString& table, QString& symbol, QWidget* owner = nullptr);
};
