// ParmUndoLog: the parameter block editor's undo log: 50 text slots, oldest first, each holding
// one record "CODE | field | field". The code names the action that undoes a change ("Remove ",
// "Insert ", "Replace", "Rename ", "Desc   ", "Move Up", "Move Dn"). "Insert " and "Replace"
// records hold a parameter the log owns (their first field is its handle): dropping or clearing
// such a record releases it, taking it hands it to the caller. Widget-free.
#pragma once

#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <array>

namespace Velt {

class VELT_EXPORT ParmUndoLog
{
public:
    static constexpr int Slots = 50;

    struct Record
    {
        QString code;       // seven characters
        QStringList fields; // the operation's fields, in order
        bool isValid() const { return !code.isEmpty(); }
    };

    static const QString Remove;
    static const QString Insert;
    static const QString Replace;
    static const QString Rename;
    static const QString Describe;
    static const QString MoveUp;
    static const QString MoveDown;

    ParmUndoLog() = default;
    ParmUndoLog(const ParmUndoLog&) = delete;
    ParmUndoLog& operator=(const ParmUndoLog&) = delete;
    ~ParmUndoLog();

    // Appends a record; with all slots full the oldest is dropped first. A record whose name
    // field would be empty is not pushed (the held parameter is then released).
    void push(const QString& code, const QStringList& fields);
    // The newest record, removed from the log (its parameter is now the caller's); invalid when
    // the log is empty.
    Record take();
    // Releases every held parameter and empties all slots.
    void clear();

    bool isEmpty() const { return m_size == 0; }
    int size() const { return m_size; }
    // The text of slot 1 to 50 ("" when empty).
    QString slot(int number) const;

    static QString format(const QString& code, const QStringList& fields);
    static Record parse(const QString& text);

private:
    static void releaseHeld(const QString& text);

    std::array<QString, Slots> m_slots;
    int m_size = 0;
};

} // namespace Velt
