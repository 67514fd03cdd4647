#pragma once
// Named values per bar object, set from any thread and consumed by the
// object's mesh builds, with a linear change animation over builds.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "base/win/CriticalSection.h"
#include "geometry/GeoHostInterface.h"

// Live ChangeState records (debug counter).
extern std::atomic<long> g_geoControlCount;

// No value pending.
constexpr double kNoPendingValue = -999999.0;

struct ChangeState {
    ChangeState() : ChangeState(0, 0.0, 0.0) {}
    ChangeState(int32_t frame, double to, double from);
    ~ChangeState();
    ChangeState(const ChangeState& other);
    ChangeState& operator=(const ChangeState&) = default;

    int32_t startFrame;   // frame counter at which the change began
    double target;
    double start;
};

// What a build left in the host's mesh record: while the record still holds
// it, it is taken to be the same record of the same object.
struct MeshFingerprint {
    const float* vertices = nullptr;
    uint32_t vertexRoom = 0;
    const int32_t* indices = nullptr;
    uint32_t indexRoom = 0;
    uint8_t hasGeometry = 0;
};

struct CDataBarRecord {
    GeoMeshBuffers* mesh = nullptr;  // the host's mesh record, once a build attached it
    bool building = false;           // between the attach and the end of a build
    MeshFingerprint fingerprint;     // taken as the last build ended
    int32_t frameCounter = 0;        // builds so far
    std::map<std::wstring, ChangeState> changes;
    std::map<std::wstring, double> values;   // kNoPendingValue: nothing pending
};

class CDataBarStore {
public:
    CDataBarStore() = default;
    CDataBarStore(const CDataBarStore&) = delete;
    CDataBarStore& operator=(const CDataBarStore&) = delete;

    // A value that is no usable geometry (non-finite or too large) is refused.
    void SetValue(const std::wstring& guid, const std::wstring& name, double value, int32_t redrawRequest);
    void SetRedraw(const std::wstring& guid, int32_t flag);
    // A build of the object has begun: its mesh record is attached and its
    // redraw byte cleared. While the host is in the build the record is
    // valid, so the byte may be written.
    void AttachMeshRecord(const std::wstring& guid, GeoMeshBuffers* mesh);
    // The build is over. Between builds the host gives no notice when it
    // frees an object, so the byte is written only while the record still
    // holds what this build left there, in memory that is still writable;
    // otherwise the store forgets the record.
    void EndBuild(const std::wstring& guid);
    // Counts one build, unless the plug-in is writing parameters.
    void AdvanceFrame(const std::wstring& guid);
    void ConsumePendingValue(const std::wstring& guid, const std::wstring& name);
    void SetChangeStart(const std::wstring& guid, const std::wstring& name, double value);
    // Height of this build between min (value 0) and max (value 1).
    double InterpolateChange(const std::wstring& guid, double min, double max, double frames);

    // Copies for inspection; false when the record or state does not exist.
    bool GetChange(const std::wstring& guid, const std::wstring& name, ChangeState& change);
    bool GetPendingValue(const std::wstring& guid, const std::wstring& name, double& value);
    int32_t GetFrameCounter(const std::wstring& guid);

private:
    CDataBarRecord& FindOrCreate(const std::wstring& guid);
    // Writes the record's redraw byte when the store can vouch for it.
    static void WriteRedraw(CDataBarRecord& record, uint8_t value);
    static void StartChange(CDataBarRecord& record, const std::wstring& name, double value);

    CriticalSection m_lock;
    std::map<std::wstring, std::unique_ptr<CDataBarRecord>> m_records;
};

// The module's one store.
extern CDataBarStore g_dataBarStore;
