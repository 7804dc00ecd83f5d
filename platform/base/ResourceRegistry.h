// Resource data by identifier. The program's resources (the resources/ folder, linked
// whole) register their tables with static registration objects at start-up; the
// platform finds them here by id and never names the folder that holds them. The
// data registered must outlive the program's use of it. The first registration of an
// id is the one found; later ones under the same id are kept as conflicts.
#pragma once

#include "platform/base/WinTypes.h"

#include <map>
#include <vector>

template <class T>
class ResourceRegistry {
public:
    // Function-local, so that registrations made by other files' static objects find
    // it constructed whatever the order of static initialisation.
    static ResourceRegistry& Instance()
    {
        static ResourceRegistry registry;
        return registry;
    }

    void Add(UINT id, const T& item)
    {
        if (!m_byId.emplace(id, &item).second)
            m_conflicts.push_back(id);
    }
    // Null when nothing is registered under `id`.
    const T* Find(UINT id) const
    {
        const auto it = m_byId.find(id);
        return it == m_byId.end() ? nullptr : it->second;
    }
    // Every registered item, in ascending order of id.
    std::vector<const T*> All() const
    {
        std::vector<const T*> all;
        all.reserve(m_byId.size());
        for (const auto& [id, item] : m_byId)
            all.push_back(item);
        return all;
    }
    // Ids registered more than once, in the order the later registrations came.
    const std::vector<UINT>& Conflicts() const { return m_conflicts; }

private:
    ResourceRegistry() = default;
    std::map<UINT, const T*> m_byId;
    std::vector<UINT> m_conflicts;
};
