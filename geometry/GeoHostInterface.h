#pragma once
// The host's geometry plug-in interface as the plug-in sees it: the geometry
// object, its mesh record and the parameter link of the dialogs. The layouts
// are the host's; the assertions below pin every offset the plug-in relies on.
// The plug-in and our stand-in host both include this one header.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Calling convention of the plug-in's exported functions.
#define GEO_EXPORT_CALL __cdecl

// The host's mesh record of one object; the host owns it.
struct GeoMeshBuffers {
    float* vertices;              // 8 floats per vertex
    uint32_t vertexRoom;          // allocated floats
    int32_t* indices;
    uint32_t indexRoom;           // allocated entries
    uint8_t hasGeometry;          // set to 1 by every build
    uint8_t hostPrivate1[59];     // not touched by the plug-in
    uint8_t redraw;               // non-zero: the object needs another build
    uint8_t hostPrivate2[3];
};

static_assert(offsetof(GeoMeshBuffers, vertices) == 0, "host layout");
static_assert(offsetof(GeoMeshBuffers, vertexRoom) == 4, "host layout");
static_assert(offsetof(GeoMeshBuffers, indices) == 8, "host layout");
static_assert(offsetof(GeoMeshBuffers, indexRoom) == 12, "host layout");
static_assert(offsetof(GeoMeshBuffers, hasGeometry) == 16, "host layout");
static_assert(offsetof(GeoMeshBuffers, redraw) == 76, "host layout");
static_assert(sizeof(GeoMeshBuffers) == 80, "host layout");

// The host's geometry object: a table of virtual operations in the host's
// slot order. Slots the plug-in never calls keep their place as Unused*.
class IGeoObject {
public:
    virtual void BeginPart(const char* partName) = 0;                 // 1
    virtual void EndPart() = 0;                                       // 2
    virtual void Unused3() = 0;                                       // 3-6: immediate-mode
    virtual void Unused4() = 0;
    virtual void Unused5() = 0;
    virtual void Unused6() = 0;
    virtual void BeginPrimitivesAt(int32_t kind, int32_t firstVertex) = 0;  // 7
    virtual void SetPrimitiveCount(int32_t vertexCount) = 0;          // 8
    virtual void Unused9() = 0;                                       // 9
    virtual double GetParam(int32_t id) = 0;                          // 10
    virtual void SetParam(int32_t id, double value) = 0;              // 11
    virtual GeoMeshBuffers* GetMeshBuffers() = 0;                     // 12
    virtual void ReserveVertices(int32_t floatCount) = 0;             // 13
    virtual void ReserveIndices(int32_t entryCount) = 0;              // 14

protected:
    ~IGeoObject() = default;   // the host owns and destroys its objects
};

// Primitive kinds of BeginPrimitivesAt.
constexpr int32_t kGeoPrimitiveLids = 0;    // three vertices a triangle
constexpr int32_t kGeoPrimitiveWalls = 3;   // four vertices a wall segment

// The host's parent window object, a window object of its class library:
// the plug-in reads only the window handle, 32 bytes in.
struct GeoHostWindow {
    void* table;
    uint8_t hostPrivate[28];
    HWND handle;
};
static_assert(offsetof(GeoHostWindow, handle) == 32, "host layout");

// The parameter link a dialog receives from the host. Its first data member
// is the host's parent window object, into which the dialog is created.
class IGeoParamLink {
public:
    virtual void SetValue(int32_t id, double value, int32_t changeKind) = 0;  // 1
    virtual void GetValue(int32_t id, double* value) = 0;                     // 2
    virtual void EnableUpdates(BOOL enable) = 0;                              // 3

    GeoHostWindow* parentWindow = nullptr;

protected:
    ~IGeoParamLink() = default;
};

// Change kinds the plug-in passes to IGeoParamLink::SetValue.
constexpr int32_t kGeoChangeCoordinate = 0;   // also plain numbers of the panel
constexpr int32_t kGeoChangeJump = 2;         // jump parameters of the panel
constexpr int32_t kGeoChangeStructure = 7;    // point count, point type, switches and menus

static_assert(sizeof(IGeoObject) == sizeof(void*), "a bare table pointer");
static_assert(sizeof(IGeoParamLink) == 2 * sizeof(void*), "table pointer, then the parent window");

// The plug-in's exports, as the host finds them by name.
// GetThumbnail takes the host's bitmap object: its first field is its table
// pointer, its second the attached bitmap handle (null while none is).
struct GeoHostBitmap {
    void* table;
    HBITMAP handle;
};
static_assert(offsetof(GeoHostBitmap, handle) == 4, "host layout");

extern "C" {
typedef int32_t(GEO_EXPORT_CALL* GetLibraryTypeFn)();
typedef const char*(GEO_EXPORT_CALL* GetObjectGUIDFn)();
typedef const char*(GEO_EXPORT_CALL* GetObjectNameFn)();
typedef int32_t(GEO_EXPORT_CALL* GetThumbnailFn)(GeoHostBitmap* bitmap);
typedef int32_t(GEO_EXPORT_CALL* InitializeParamMapFn)(IGeoObject* object);
typedef int32_t(GEO_EXPORT_CALL* RecreateObjectFn)(IGeoObject* object, int32_t unused);
typedef HWND(GEO_EXPORT_CALL* GetParamDialogFn)(IGeoParamLink* link);
typedef int32_t(GEO_EXPORT_CALL* GetParamNameFn)(int32_t id, char* buffer);
typedef int32_t(GEO_EXPORT_CALL* SetDataBarRedrawFn)(const wchar_t* guid, int32_t flag);
typedef int32_t(GEO_EXPORT_CALL* SetDataBarValueFn)(const wchar_t* guid, const wchar_t* name, double value,
                                                    int32_t redraw);
}

// GetParamName writes at most this many bytes, the terminating NUL included.
constexpr int kMaxParamNameBytes = 64;
