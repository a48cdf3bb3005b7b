#include "xcstructeditfieldenums.h"

#include "callfailure.h"
#include "componentmacros.h"

#include <QList>

#include <limits>

VELT_REGISTER_CLASS(XCStructEditFieldEnums, NonCreatable, "", "")

namespace {
constexpr int MaxEntries = std::numeric_limits<int>::max() / 2; // doubling the storage stays in int
constexpr int FirstCapacity = 4;
}

struct XCStructEditFieldEnums::Private
{
    QList<QString> storage; // size() is the capacity; entries 0 .. count-1 are in use
    int count = 0;
};

XCStructEditFieldEnums::XCStructEditFieldEnums(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
}

XCStructEditFieldEnums::~XCStructEditFieldEnums() = default;

void XCStructEditFieldEnums::Add(const QString& Enumeration, int Index)
{
    if (d->count >= MaxEntries) {
        Velt::reportCallFailed(this, QStringLiteral("The list of choices is full."));
        return;
    }
    const int position = Index < 0 ? d->count + 1 : Index;
    if (position < 1 || position > d->count + 1) {
        Velt::reportCallFailed(this, QStringLiteral("Choice position %1 is outside 1 to %2.")
                                         .arg(Index)
                                         .arg(d->count + 1));
        return;
    }
    if (d->count >= d->storage.size()) {
        const int grown = d->storage.isEmpty() ? FirstCapacity : int(d->storage.size()) * 2;
        d->storage.resize(grown);
    }
    for (int i = d->count; i >= position; --i)
        d->storage[i] = d->storage[i - 1];
    d->storage[position - 1] = Enumeration.trimmed();
    ++d->count;
}

void XCStructEditFieldEnums::Clear() { d->count = 0; }

int XCStructEditFieldEnums::Count() const { return d->count; }

QString XCStructEditFieldEnums::Text(int Index) const
{
    if (Index < 1 || Index > d->count)
        return QString();
    return d->storage.at(Index - 1);
}

int XCStructEditFieldEnums::capacity() const { return int(d->storage.size()); }
