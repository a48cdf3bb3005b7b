// EditorHost: the workbench's central area. Today it shows the parameters of the selected
// symbol table or parameter block in a read-only table; it is the one place where the
// library's editors (the parameter block editor, data editors) will be placed: setEditor()
// swaps a page in, showParameters() goes back to the list. Owns its pages.
#pragma once

#include "quen/quencore.h"

#include <QWidget>

class QLabel;
class QStackedWidget;
class QTableView;

namespace Workbench {

class ParameterListModel;

class EditorHost : public QWidget
{
    Q_OBJECT
public:
    explicit EditorHost(QWidget* parent = nullptr);

    // Lists the parameters of a table or block under a heading; 0 shows the start page.
    void showParameters(QuenHandle block, const QString& heading);
    // Selects the row of a parameter of the listed block (none when absent).
    void selectParameter(QuenHandle parm);
    // Places an editor page (taking ownership); null removes the current one.
    void setEditor(QWidget* editor);
    // Re-reads the listed block from the core.
    void refresh();

    QuenHandle block() const;
    QTableView* parameterView() const { return m_view; }
    ParameterListModel* parameterModel() const { return m_model; }

Q_SIGNALS:
    // Enter or a double-click on a row.
    void parameterActivated(QuenHandle parm);

private:
    QStackedWidget* m_stack;
    QWidget* m_startPage;
    QWidget* m_listPage;
    QLabel* m_heading;
    QTableView* m_view;
    ParameterListModel* m_model;
    QWidget* m_editor = nullptr;
};

} // namespace Workbench
