#pragma once
// Named values per bar object, set from any thread and consumed by the
// object's mesh builds, with a linear change animation over builds.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "common/win/CriticalSection.h"

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

struct CDataBarRecord {
    uint8_t* redrawFlag = nullptr;   // the host's redraw byte, once a build attached it
    int32_t frameCounter = 0;        // builds so far
    std::map<std::wstring, ChangeState> changes;
    std::map<std::wstring, double> values;   // kNoPendingValue: nothing pending
};

class CDataBarStore {
public:
    CDataBarStore() = default;
    CDataBarStore(const CDataBarStore&) = delete;
    CDataBarStore& operator=(const CDataBarStore&) = delete;

    // A non-finite value is refused.
    void SetValue(const std::wstring& guid, const std::wstring& name, double value, int32_t redrawRequest);
    void SetRedraw(const std::wstring& guid, int32_t flag);
    // Attaches the byte and clears it.
    void AttachRedrawFlag(const std::wstring& guid, uint8_t* redrawByte);
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
    static void StartChange(CDataBarRecord& record, const std::wstring& name, double value);

    CriticalSection m_lock;
    std::map<std::wstring, std::unique_ptr<CDataBarRecord>> m_records;
};

// The module's one store.
extern CDataBarStore g_dataBarStore;
