// The component system: every public class of the library is registered here under its class
// identifier ("VeltEditors." + class name) with its kind, and created from that identifier.
// Registration happens at library load (VELT_REGISTER_CLASS in the class's .cpp), so a class
// is creatable as soon as its file is linked in.
#pragma once

#include "velt_export.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace Velt {

class VELT_EXPORT ComponentRegistry
{
public:
    enum class Kind { VisibleControl, InvisibleControl, NonCreatable };
    using Factory = std::function<QObject*(QWidget* parent)>;

    struct ClassInfo
    {
        QString className;  // "Int32Editor"
        QString classId;    // "VeltEditors.Int32Editor"
        Kind kind = Kind::NonCreatable;
        QStringList interfaces; // "XCStructEditing", ...
        QStringList events;     // in published order
        const QMetaObject* metaObject = nullptr;
        Factory factory;        // empty for non-creatable classes
    };

    static ComponentRegistry& instance();

    // Registers or replaces a class; returns false when the class name is empty.
    bool registerClass(ClassInfo info);
    // Removes a class (tests use this to model a class that cannot be created).
    void unregisterClass(const QString& classId);

    // A new instance, or null when the identifier is unknown, the class is not creatable or its
    // factory fails. Matching of identifiers is case-insensitive, as the host platform's was.
    QObject* create(const QString& classId, QWidget* parent = nullptr) const;
    const ClassInfo* find(const QString& classId) const;
    QStringList classIds() const; // in registration order

    ComponentRegistry(const ComponentRegistry&) = delete;
    ComponentRegistry& operator=(const ComponentRegistry&) = delete;

private:
    ComponentRegistry();
    ~ComponentRegistry();
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
