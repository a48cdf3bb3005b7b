// The parameter block editor's private parts, shared by its two source files: the control and
// its commands (parmblockeditor.cpp), the keys and the context menu (parmblockeditorkeys.cpp).
#pragma once

#include "parmblockeditor.h"
#include "parmblockmodel.h"
#include "parmblocksession.h"
#include "platformservices.h"

#include <QFocusEvent>
#include <QPersistentModelIndex>
#include <QTreeView>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class DataTypeSelector;
class ParmFieldEditor;
class ParmNameEditor;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;

namespace Velt {

// One of the hidden tab stops: a zero-sized widget in the focus chain that reports when the
// focus reaches it and can pass the focus on.
class ParmListTabStop : public QWidget
{
public:
    ParmListTabStop(const QString& name, QWidget* parent) : QWidget(parent)
    {
        setObjectName(name);
        setFocusPolicy(Qt::TabFocus);
        setFixedSize(0, 0);
    }
    std::function<void(Qt::FocusReason)> entered;
    void pass(bool next) { focusNextPrevChild(next); }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        if (entered)
            entered(event->reason());
    }
};

// Whether widget is ancestor or below it, across window boundaries (popups, tool windows).
inline bool isInside(const QWidget* ancestor, const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

inline bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace Velt

struct ParmBlockEditor::Private
{
    using Session = Velt::ParmBlockSession;
    using ParmBlockModel = Velt::ParmBlockModel;
    using ParmListTabStop = Velt::ParmListTabStop;

    ParmBlockEditor* q;
    Velt::ParmBlockSession session;
    ParmBlockModel* model = nullptr;
    QTreeView* view = nullptr;
    ParmNameEditor* nameEditor = nullptr;
    ParmFieldEditor* fieldEditor = nullptr;
    DataTypeSelector* typeSelector = nullptr;
    QLineEdit* descEditor = nullptr;
    QMenu* menu = nullptr;
    QMenu* tablesMenu = nullptr; // "Reference a New Symbol"
    QPushButton* defaultCommand = nullptr;
    QPushButton* cancelCommand = nullptr;
    ParmListTabStop* forwardIn = nullptr;
    ParmListTabStop* backwardIn = nullptr;
    ParmListTabStop* forwardOut = nullptr;
    ParmListTabStop* backwardOut = nullptr;
    ParmListTabStop* treeToColumn = nullptr;
    ParmListTabStop* columnToTree = nullptr;

    // The open in-place editor (-1 none) and what it was opened on.
    int open = -1;
    std::array<int, 4> states{ 1, 1, 1, 1 };
    QPersistentModelIndex editIndex;
    QuenHandle snapshot = 0;   // a copy of the parameter before a value or type edit
    int32_t ageAtOpen = 0;
    QString classAtOpen;
    bool createdActual = false;
    bool inDialog = false;
    int quiet = 0; // > 0 while a command moves the current cell itself
    bool limits = false; // the limits editor's form
    QString lastReported;

    explicit Private(ParmBlockEditor* owner) : q(owner) { }

    // Held by every command: the current cell moves under the command's control, which tests
    // ParameterSelected itself where the events say.
    struct Quiet
    {
        explicit Quiet(Private* p) : d(p) { ++d->quiet; }
        ~Quiet() { --d->quiet; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
        Private* d;
    };

    void build();
    QWidget* editorWidget(int column);
    // The in-place editors are made when first opened: most lists are only looked at.
    void makeEditor(int column);
    int currentRow() const { return ParmBlockModel::parameterRow(view->currentIndex()); }
    int currentField() const { return ParmBlockModel::fieldIndex(view->currentIndex()); }
    int currentColumn() const { return std::max(view->currentIndex().column(), 0); }
    bool editing() const { return open >= 0; }
    std::optional<int> rowAt(int index) const { return session.rowAt(index, currentRow()); }

    void setCurrent(int row, int field, int column);
    void testSelected();
    // Raises events after a change, then rebuilds when a handler changed the block.
    template <typename Raise>
    void raise(Raise&& events);
    void rebuild();
    void afterLoad();

    bool load(QuenHandle handle, QuenHandle deflt, const Session::Mode& mode);
    bool editCellEnabled(int column, int row, int field) const;
    void openEditor(int column, int row, int field);
    void placeEditor();
    bool closeEditors(bool accept);
    void acceptName(int row);
    void acceptValue(int column, int row, bool accept);
    void acceptDescription(int row);
    void typeChosen(const QString& dataClass);
    void editorKey(int column, int* keyCode, int shift);
    // The next (or previous) row below the edit index whose cell in the column can be edited.
    QModelIndex neighbour(int column, bool down) const;
    bool listKey(QKeyEvent* event);
    void moveColumn(int delta);
    void showMenu(const QPoint& globalPos);
    // "Reference a Symbol", "Reference a New Symbol" with its tables, "Provide a Value".
    template <typename Add>
    void addReferenceItems(const Add& add);
    void referenceNewSymbol(QuenHandle table);
    void showProperties();
    bool runDelete(int row, bool recordUndo);
    // The events after a command changed one parameter (false when it changed nothing).
    bool changed(const Session::Change& change);
    bool created(const Session::Change& change);
    bool moved(const Session::Change& change);
    bool insertAt(int row, QuenHandle parm);
    void beep() { Velt::PlatformServices::instance().beep(); }
};

template <typename Raise>
void ParmBlockEditor::Private::raise(Raise&& events)
{
    session.storeAge();
    events();
    if (session.ageChanged())
        rebuild();
}
