#pragma once
// The host's geometry plug-in side: Vantre.dll as the plug-in of every
// type-32 node that carries a VantreGUID, one geometry object per node. The
// library is loaded by name on first use, so a host that has loaded the
// chart control shares the very Vantre.dll (and value store) it links.

#include <map>
#include <memory>
#include <string>

#include "testing/geohost/StandInGeoObject.h"

class CSimHost;
class CSimNode;
class CVantreLibrary;

class CSimGeometry {
public:
    explicit CSimGeometry(CSimHost& host);
    ~CSimGeometry();
    CSimGeometry(const CSimGeometry&) = delete;
    CSimGeometry& operator=(const CSimGeometry&) = delete;

    // Rebuilds as the host does when it draws: a node met for the first time
    // gets a new object (the plug-in's defaults, then the node's own
    // parameters); an object whose node's VantreGUID changed takes the new
    // GUID. Each new, changed or redraw-requesting object is rebuilt while it
    // asks, at most `limit` builds each. The number of builds, or -1 with a
    // reason when Vantre.dll or one of its exports is missing.
    int Rebuild(std::wstring& error, int limit = 1000);

    // The node's object after the last rebuild, or null.
    const CStandInGeoObject* ObjectOf(const CSimNode& node) const;
    // The VantreGUID text of a plug-in node, or empty.
    std::wstring BarGuidOf(const CSimNode& node) const;

private:
    struct Bar {
        CStandInGeoObject object;
        std::wstring guid;  // the text the object's GUID parameters were set from
    };

    CSimHost& m_host;
    std::unique_ptr<CVantreLibrary> m_vantre;
    std::map<const CSimNode*, std::unique_ptr<Bar>> m_bars;
};

// The top and bottom height of an object's mesh; false without vertices.
bool MeshHeights(const CStandInGeoObject& object, float& bottom, float& top);
