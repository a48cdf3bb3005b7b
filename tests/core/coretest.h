// Helpers shared by the core's tests: reading the error register back, and owning the items a
// test creates so that each test leaves the core as it found it.
#pragma once

#include "quen/quencore.h"

#include <QList>
#include <QString>
#include <QTest>

#include <vector>

namespace coretest {

struct Raised
{
    int32_t code = 0;
    QString message;
};

// Empties the error register and returns what it held, oldest first.
inline QList<Raised> takeErrors()
{
    QList<Raised> errors;
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message))
        errors.append({ code, QString::fromUtf8(message) });
    return errors;
}

// Releases the data items it was given when it goes out of scope.
class Items
{
public:
    Items() = default;
    Items(const Items&) = delete;
    Items& operator=(const Items&) = delete;
    ~Items()
    {
        for (const QuenHandle h : m_handles) {
            if (QuenDataIsValid(h))
                QuenDataRelease(h);
        }
        QuenExcRegClearError(0);
    }
    QuenHandle operator<<(QuenHandle h)
    {
        m_handles.push_back(h);
        return h;
    }

private:
    std::vector<QuenHandle> m_handles;
};

inline QString text(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace coretest

namespace coretest {

// Empties the register; returns "" when it held exactly one error with the given code whose
// message starts with "function: ", else what was wrong.
inline QString oneErrorProblem(int32_t code, const QString& function)
{
    const QList<Raised> raised = takeErrors();
    if (raised.size() != 1) {
        QString all;
        for (const Raised& r : raised)
            all += QLatin1String("\n  ") + r.message;
        return QStringLiteral("%1 errors in the register instead of 1:%2").arg(raised.size()).arg(all);
    }
    if (raised.first().code != code)
        return QStringLiteral("code %1 instead of %2: %3").arg(raised.first().code).arg(code).arg(raised.first().message);
    if (!raised.first().message.startsWith(function + QLatin1String(": ")))
        return QStringLiteral("the message does not name %1: %2").arg(function, raised.first().message);
    return {};
}

// Empties the register; returns "" when it was empty, else its first message.
inline QString noErrorProblem()
{
    const QList<Raised> raised = takeErrors();
    return raised.isEmpty() ? QString() : QStringLiteral("unexpected error: ") + raised.first().message;
}

} // namespace coretest

#define EXPECT_ONE_ERROR(code, function)                                                           \
    do {                                                                                           \
        const QString problem_ = coretest::oneErrorProblem(code, QString::fromUtf8(function));     \
        QVERIFY2(problem_.isEmpty(), qPrintable(problem_));                                        \
    } while (false)

#define EXPECT_NO_ERROR()                                                                          \
    do {                                                                                           \
        const QString problem_ = coretest::noErrorProblem();                                       \
        QVERIFY2(problem_.isEmpty(), qPrintable(problem_));                                        \
    } while (false)
