// ProblemsDock: the workbench's list of problems: errors the core showed, files that did not
// load or save. Newest last; each entry keeps the time it arrived in its tooltip.
#pragma once

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
    int count() const;
    QStringList messages() const;
    QListWidget* list() const { return m_list; }

public Q_SLOTS:
    void clear();

Q_SIGNALS:
    void countChanged(int count);

private:
    void updateTitle();
    QListWidget* m_list;
};

} // namespace Workbench
