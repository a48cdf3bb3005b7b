// AddSymbolDialog: "New Symbol": a name, checked as it is typed by the library's ParmNameEditor
// against the table's other symbols, and a data type picked with its DataTypeSelector. Accepting
// creates the symbol with the type's default value and adds it to the table; cancelling leaves
// the table as it was.
#pragma once

#include "quen/quencore.h"

#include <QDialog>

class DataTypeSelector;
class ParmNameEditor;
class QDialogButtonBox;

namespace Workbench {

class AddSymbolDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddSymbolDialog(QuenHandle table, QWidget* parent = nullptr);

    ParmNameEditor* nameEditor() const { return m_name; }
    DataTypeSelector* typeSelector() const { return m_type; }
    // The symbol made by accept(), 0 before or when the core refused it.
    QuenHandle symbol() const { return m_symbol; }

public Q_SLOTS:
    void accept() override;

Q_SIGNALS:
    // The core refused the symbol: its message.
    void problem(const QString& message);

private:
    void updateButtons();

    QuenHandle m_table;
    QuenHandle m_symbol = 0;
    ParmNameEditor* m_name;
    DataTypeSelector* m_type;
    QDialogButtonBox* m_buttons;
};

} // namespace Workbench
