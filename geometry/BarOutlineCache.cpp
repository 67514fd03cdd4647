#include "geometry/BarOutlineCache.h"

#include <utility>

const BarOutline* CBarOutlineCache::Find(const std::wstring& guid, const OutlineKey& key)
{
    const auto found = m_entries.find(guid);
    if (found == m_entries.end() || found->second.key != key)
        return nullptr;
    m_ages.splice(m_ages.begin(), m_ages, found->second.age);
    ++m_reuses;
    return found->second.outline.get();
}

const BarOutline& CBarOutlineCache::Keep(const std::wstring& guid, OutlineKey key, std::unique_ptr<BarOutline> outline)
{
    if (m_room == 0) {
        m_unkept = std::move(outline);
        return *m_unkept;
    }
    auto found = m_entries.find(guid);
    if (found == m_entries.end()) {
        if (m_entries.size() >= m_room) {
            m_entries.erase(m_ages.back());
            m_ages.pop_back();
        }
        m_ages.push_front(guid);
        found = m_entries.emplace(guid, Entry{{}, nullptr, m_ages.begin()}).first;
    } else {
        m_ages.splice(m_ages.begin(), m_ages, found->second.age);
    }
    found->second.key = std::move(key);
    found->second.outline = std::move(outline);
    return *found->second.outline;
}
