// XCStructEditFieldEnums: the list of choices offered for one structured field (positions from
// 1). A type editor fills it inside DeclareField; viewers offer its entries in a choice list.
// Owned by its XCStructEditField, created on the field's first use of Enumeration and cleared
// (storage kept) whenever the field is re-used by another binding.
#pragma once

#include "velt_export.h"

#include <QObject>
#include <QString>

#include <memory>

class VELT_EXPORT XCStructEditFieldEnums : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("DefaultMember", "Text")
    Q_PROPERTY(int Count READ Count)

public:
    explicit XCStructEditFieldEnums(QObject* parent = nullptr);
    ~XCStructEditFieldEnums() override;

    // Inserts the trimmed text at the 1-based position Index, shifting later entries up by one;
    // a negative Index appends. Fails (Velt::reportCallFailed), adding nothing, when Index is
    // 0 or above Count + 1, or when the list is full.
    Q_INVOKABLE void Add(const QString& Enumeration, int Index = -1);
    // Count becomes 0; the storage is kept.
    Q_INVOKABLE void Clear();
    int Count() const;
    // The entry at a 1-based position; "" when Index is below 1 or above Count.
    Q_INVOKABLE QString Text(int Index) const;

    // Entries the storage holds room for: 4 at the first entry, doubling when an entry does not fit.
    int capacity() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};
