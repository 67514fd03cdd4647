#pragma once
// The shape controller of the parameter dialog: every change of the chain is
// written into the object's parameters through the host's parameter link,
// and the chain reads and writes Shape Maker files (*.sm).

#include "geometry/GeoHostInterface.h"
#include "geometry/ShapeController.h"

class CShapeParamController : public CShapeController {
public:
    CShapeParamController() = default;

    // The owner's link (not owned); null writes nothing.
    void SetLink(IGeoParamLink* link) { m_link = link; }
    IGeoParamLink* GetLink() const { return m_link; }
    // While loading, added points are not written.
    void SetLoading(bool loading) { m_loading = loading; }
    // True while the controller writes to the link: a reload from the
    // parameters caused by its own writes must be ignored.
    bool IsBusy() const { return m_busy; }

    // Reads the outline from the object's parameters and keeps `link` for
    // the writes that follow. Ignored while the controller itself writes:
    // the host echoing those writes must not undo the user's edit.
    void LoadFromLink(IGeoParamLink* link);

    // An unreadable, unparsable or foreign file, or one larger than 32 KB,
    // leaves the shape unchanged.
    bool Load(const wchar_t* path) override;
    bool Save(const wchar_t* path) override;

protected:
    void OnPointAdded(const CShapePoint& point) override;
    void OnPointMoved(const CShapePoint& point) override;
    void OnHandlesChanged(const CShapePoint& point) override;
    void OnTypeChanged(const CShapePoint& point) override;
    void OnCleared() override;

private:
    class CWriteScope;

    void EnableUpdates(BOOL enable);
    void SetValue(int32_t id, double value, int32_t changeKind);
    // Writes the point's coordinate fields first ... last (1 = X ... 6 = BRY).
    void SetCoordinates(const CShapePoint& point, int32_t first, int32_t last);

    IGeoParamLink* m_link = nullptr;
    bool m_loading = false;
    bool m_busy = false;
};
