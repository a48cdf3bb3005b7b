// ProblemsDock: the workbench's list of problems: errors the core showed, files that did not
// load or save, and the standing problems a validation left in the window's problem list.
// Newest last; each entry keeps the time it arrived in its tooltip.
#pragma once

#include "quen/quencore.h"

#include <QDockWidget>

class QListWidget;

namespace Workbench {

class ProblemsDock : public QDockWidget
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum class Severity { Error, Warning, Information };

    explicit ProblemsDock(QWidget* parent = nullptr);

    // One entry per line of `messages`; empty lines are skipped.
    void addMessages(const QString& messages, Severity severity = Severity::Error);
    // Shows the standing problems of a core problem list in place of those shown before (the
    // list stays the caller's); Enter or a double-click on one raises problemActivated.
    void showPills(QuenHandle pills);
    int count() const;
    QStringList messages() const;
    QListWidget* list() const { return m_list; }

public Q_SLOTS:
    void clear();

Q_SIGNALS:
    void countChanged(int count);
    void problemActivated(QuenHandle pill);

private:
    void updateTitle();
    QListWidget* m_list;
};

} // namespace Workbench
