#pragma once
// The outline of a bar as its mesh needs it, kept per object between builds:
// while a bar's height animates its outline does not change, and flattening
// and triangulating it again would give the very same points and triangles.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "geometry/OutlineFlattening.h"
#include "geometry/PolyTri.h"

struct BarOutline {
    bool usable = false;   // false: a point was refused, nothing is built
    std::vector<OutlinePoint> points;   // closed: the last repeats the first
    // Texture coordinates as the vertex records hold them: the walls' u at
    // each point (its share of the perimeter), and u and v of each lid
    // corner, v for the top and for the bottom.
    std::vector<float> wallU;
    // The lids' triangles, three corners each, in the order their records
    // are written: the bottom's turn the other way. Only these are kept, not
    // the recorder that made them.
    struct LidCorner {
        float u, v, x, z;   // one wide load: the record's u, v and position
    };
    std::vector<LidCorner> topLid, bottomLid;
    int32_t triangles = 0;
};

// Every parameter value the outline is made of, as raw bits: equal keys give
// equal outlines.
using OutlineKey = std::vector<uint64_t>;

// Used on the host's build thread only.
class CBarOutlineCache {
public:
    // Keeps the outlines of at most `room` objects, the least recently built
    // giving way; 0 keeps none.
    explicit CBarOutlineCache(size_t room) : m_room(room) {}
    CBarOutlineCache(const CBarOutlineCache&) = delete;
    CBarOutlineCache& operator=(const CBarOutlineCache&) = delete;

    // The object's outline when it was made from the same key, else null.
    const BarOutline* Find(const std::wstring& guid, const OutlineKey& key);
    // Keeps `outline` as the object's; valid until the next call.
    const BarOutline& Keep(const std::wstring& guid, OutlineKey key, std::unique_ptr<BarOutline> outline);

    int64_t Reuses() const { return m_reuses; }

private:
    struct Entry {
        OutlineKey key;
        std::unique_ptr<BarOutline> outline;
        std::list<std::wstring>::iterator age;
    };

    size_t m_room;
    std::map<std::wstring, Entry> m_entries;
    std::list<std::wstring> m_ages;   // most recently built first
    std::unique_ptr<BarOutline> m_unkept;   // the last outline, with no room
    int64_t m_reuses = 0;
};
