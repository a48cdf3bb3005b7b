// Helpers shared by the type editor wiring tests: creating an editor through the component
// registry, starting a dialog edit of a core item, typing into a named box, pressing the host's
// buttons, and checking that a laid-out panel shows every control it holds.
#pragma once

#include "componentregistry.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "dataeditorform.h"
#include "xcdialogdataediting.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

template <typename Editor>
std::unique_ptr<Editor> createEditor(const char* classId)
{
    QObject* created = Velt::ComponentRegistry::instance().create(QString::fromLatin1(classId));
    auto* editor = qobject_cast<Editor*>(created);
    if (!editor)
        delete created;
    return std::unique_ptr<Editor>(editor);
}

inline DataEditor* hostOf(QObject* editor)
{
    return editor->findChild<DataEditor*>(QStringLiteral("DataEditor"));
}

inline void editData(QObject* editor, CountingDataEditorSite& site, int32_t item, bool designTime)
{
    hostOf(editor)->dialogEditing()->EditData(&site, item, 0, designTime, false);
}

template <typename T = QLineEdit>
T* child(QObject* editor, const char* name)
{
    T* found = editor->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

// Replaces a box's text by typing, one key at a time, as a user does.
inline void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

inline void press(QObject* editor, const char* button)
{
    hostOf(editor)->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}

// Every visible named control of the panel lies inside it, with at least its minimum height.
inline bool panelFits(const QWidget* panel)
{
    const QRect area = panel->rect();
    for (const QWidget* widget : panel->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || !widget->isVisibleTo(panel->window())
            || widget->isWindow()
            || widget->sizePolicy().verticalPolicy() == QSizePolicy::Ignored)
            continue; // squeezable by design
        const QRect rect(widget->mapTo(panel, QPoint(0, 0)), widget->size());
        if (!area.contains(rect) || rect.height() < widget->minimumSizeHint().height()) {
            qWarning() << "does not fit:" << widget->objectName() << rect << "in" << area;
            return false;
        }
    }
    return true;
}

// Saves a picture of the form when VELT_SCREENSHOT_DIR names a folder (for people looking at
// the layout; tests never depend on it).
inline void saveScreenshot(QWidget* form, const QString& name)
{
    const QByteArray dir = qgetenv("VELT_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        form->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name + QStringLiteral(".png")));
}
