// Hides the classes the library registered under the given identifiers while it lives, so that
// a test sees only the fakes it registers there, and puts the originals back afterwards.
#pragma once

#include "componentregistry.h"

#include <QList>
#include <QStringList>

namespace VeltTest {

class ComponentShelter
{
public:
    explicit ComponentShelter(const QStringList& classIds) : m_ids(classIds)
    {
        for (const QString& id : classIds) {
            if (const auto* info = Velt::ComponentRegistry::instance().find(id))
                m_saved.append(*info);
        }
        clear();
    }
    ~ComponentShelter()
    {
        clear();
        for (const auto& info : std::as_const(m_saved))
            Velt::ComponentRegistry::instance().registerClass(info);
    }
    ComponentShelter(const ComponentShelter&) = delete;
    ComponentShelter& operator=(const ComponentShelter&) = delete;

    // Removes every class registered under the identifiers (fakes included).
    void clear()
    {
        for (const QString& id : std::as_const(m_ids))
            Velt::ComponentRegistry::instance().unregisterClass(id);
    }

private:
    QStringList m_ids;
    QList<Velt::ComponentRegistry::ClassInfo> m_saved;
};

} // namespace VeltTest
