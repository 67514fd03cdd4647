#pragma once
// A closed chain of up to 16 outline points and its GDI+ path. Derived
// controllers hear of every change through the notification operations.
// GDI+ must be started before a controller is built.

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "geometry/ShapePoint.h"

constexpr int32_t kMaxShapePoints = 16;

enum ShapeHitPart : int32_t {
    kHitNothing = 0,
    kHitPosition = 1,
    kHitIncoming = 2,
    kHitOutgoing = 3,
};

struct ShapeHit {
    int32_t index = -1;
    ShapeHitPart part = kHitNothing;
};

class CShapeController {
public:
    CShapeController() = default;
    virtual ~CShapeController() = default;
    CShapeController(const CShapeController&) = delete;
    CShapeController& operator=(const CShapeController&) = delete;

    // Shape Maker files; false when nothing was read or written.
    virtual bool Load(const wchar_t* path);
    virtual bool Save(const wchar_t* path);

    void Clear();
    // While off, changes do not rebuild the path; switching on rebuilds it.
    void SetPathBuilding(bool on);
    // Appends, or with `insert` and more than two points goes between the two
    // points nearest to (x, y). False when the chain is full or a value is
    // not usable geometry (non-finite or too large), for this and every
    // other operation that sets a position or a handle.
    bool AddPoint(float x, float y, float inX, float inY, float outX, float outY, int32_t type, bool insert);
    bool InsertPoint(int32_t index, float x, float y, float inX, float inY, float outX, float outY, int32_t type);
    bool DeletePoint(int32_t index);
    // Announces the whole chain again: cleared, then every point added.
    void Republish();

    ShapeHit HitTest(float px, float py) const;
    bool ClearSelection();
    bool SetSelected(int32_t index, bool selected);
    // Moves the point; every other selected point follows by the same offset.
    bool MovePoint(int32_t index, float x, float y);
    bool MoveIncoming(int32_t index, float x, float y);
    bool MoveOutgoing(int32_t index, float x, float y);
    bool ChangeType(int32_t index, int32_t type);

    int32_t GetPointCount() const { return static_cast<int32_t>(m_points.size()); }
    bool IsValidIndex(int32_t index) const { return index >= 0 && index < GetPointCount(); }
    const CShapePoint& GetPoint(int32_t index) const { return m_points[static_cast<size_t>(index)]; }
    const Gdiplus::GraphicsPath& GetPath() const { return m_path; }

protected:
    virtual void OnPointAdded(const CShapePoint& point);
    virtual void OnPointMoved(const CShapePoint& point);
    virtual void OnHandlesChanged(const CShapePoint& point);
    virtual void OnTypeChanged(const CShapePoint& point);
    virtual void OnCleared();

private:
    bool MoveHandle(int32_t index, float x, float y, void (CShapePoint::*setHandle)(float, float));
    void Renumber();
    void RebuildPath();

    std::vector<CShapePoint> m_points;   // m_points[i].index == i
    Gdiplus::GraphicsPath m_path;
    bool m_pathBuilding = true;
};
