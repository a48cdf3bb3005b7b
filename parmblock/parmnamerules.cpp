#include "parmnamerules.h"

#include "qtstrings.h"

#include <QCoreApplication>

#include <algorithm>

namespace Velt::ParmNameRules {

namespace {
QString tr(const char* text) { return QCoreApplication::translate("ParmNameEditor", text); }
} // namespace

QString trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString check(const QString& name, QuenHandle block, QuenHandle self)
{
    QString message;
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 32; }))
        message = tr("Illegal Name - Parameter Name has illegal character");
    if (name.isEmpty())
        message = tr("Illegal Name - Parameter name is blank");
    if (block != 0) {
        const QuenHandle found = QuenPbDefFindParm(block, quen::toUtf8(name).constData());
        if (found != 0 && found != self)
            message = tr("Illegal Name - Parameter already exists");
    }
    return message;
}

} // namespace Velt::ParmNameRules
