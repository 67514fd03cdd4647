#include "geometry/DataBarStore.h"

#include <climits>
#include <cmath>

#include "geometry/HostValues.h"
#include "geometry/ShapeWriteFlag.h"

std::atomic<long> g_geoControlCount{0};

namespace {

const wchar_t kPercentValue[] = L"PercentValue";

// A start of exactly this value counts as 0.
constexpr double kUnsetStart = -999.0;

bool IsWritableMemory(const void* address, size_t bytes)
{
    const auto* at = static_cast<const BYTE*>(address);
    const BYTE* const end = at + bytes;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info = {};
        if (VirtualQuery(at, &info, sizeof(info)) != sizeof(info) || info.State != MEM_COMMIT ||
            (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
            !(info.Protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)))
            return false;
        at = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize;
    }
    return true;
}

MeshFingerprint FingerprintOf(const GeoMeshBuffers& mesh)
{
    return {mesh.vertices, mesh.vertexRoom, mesh.indices, mesh.indexRoom, mesh.hasGeometry};
}

bool operator==(const MeshFingerprint& a, const MeshFingerprint& b)
{
    return a.vertices == b.vertices && a.vertexRoom == b.vertexRoom && a.indices == b.indices &&
           a.indexRoom == b.indexRoom && a.hasGeometry == b.hasGeometry;
}

}  // namespace

ChangeState::ChangeState(int32_t frame, double to, double from) : startFrame(frame), target(to), start(from)
{
    ++g_geoControlCount;
}

ChangeState::ChangeState(const ChangeState& other)
    : startFrame(other.startFrame), target(other.target), start(other.start)
{
    ++g_geoControlCount;
}

ChangeState::~ChangeState()
{
    --g_geoControlCount;
}

CDataBarRecord& CDataBarStore::FindOrCreate(const std::wstring& guid)
{
    std::unique_ptr<CDataBarRecord>& record = m_records[guid];
    if (!record)
        record = std::make_unique<CDataBarRecord>();
    return *record;
}

void CDataBarStore::WriteRedraw(CDataBarRecord& record, uint8_t value)
{
    if (!record.mesh)
        return;
    if (!record.building &&
        !(IsWritableMemory(record.mesh, sizeof(GeoMeshBuffers)) && FingerprintOf(*record.mesh) == record.fingerprint)) {
        // Freed, or reused for something else: never written again.
        record.mesh = nullptr;
        return;
    }
    record.mesh->redraw = value;
}

void CDataBarStore::SetValue(const std::wstring& guid, const std::wstring& name, double value, int32_t redrawRequest)
{
    if (!IsUsableGeometryValue(value))
        return;
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    record.values[name] = value;
    const uint8_t request = static_cast<uint8_t>(redrawRequest & 0xFF);
    if (request != 0)
        WriteRedraw(record, request);
}

void CDataBarStore::SetRedraw(const std::wstring& guid, int32_t flag)
{
    CriticalSectionLock lock(m_lock);
    WriteRedraw(FindOrCreate(guid), static_cast<uint8_t>(flag & 0xFF));
}

void CDataBarStore::AttachMeshRecord(const std::wstring& guid, GeoMeshBuffers* mesh)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    // When the host places another object's record where an old one was,
    // the old object's record lets go of it, so no value for one bar raises
    // the flag of another.
    if (mesh) {
        for (auto& other : m_records) {
            if (other.second.get() != &record && other.second->mesh == mesh)
                other.second->mesh = nullptr;
        }
    }
    record.mesh = mesh;
    record.building = mesh != nullptr;
    if (mesh)
        mesh->redraw = 0;
}

void CDataBarStore::EndBuild(const std::wstring& guid)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    if (record.mesh)
        record.fingerprint = FingerprintOf(*record.mesh);
    record.building = false;
}

void CDataBarStore::AdvanceFrame(const std::wstring& guid)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    // The counter saturates: a bar rebuilt for years must not wrap into the past.
    if (!g_shapeWriteActive && record.frameCounter < INT32_MAX)
        ++record.frameCounter;
}

void CDataBarStore::ConsumePendingValue(const std::wstring& guid, const std::wstring& name)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    const auto pending = record.values.find(name);
    if (pending == record.values.end() || pending->second == kNoPendingValue)
        return;
    const double value = pending->second;
    pending->second = kNoPendingValue;
    StartChange(record, name, value);
}

void CDataBarStore::StartChange(CDataBarRecord& record, const std::wstring& name, double value)
{
    const auto change = record.changes.find(name);
    if (change == record.changes.end()) {
        record.changes.emplace(name, ChangeState(record.frameCounter, value, 0.0));
        return;
    }
    // A new value runs from the previous target, not from the height reached.
    change->second.start = change->second.target;
    change->second.target = value;
    change->second.startFrame = record.frameCounter;
}

void CDataBarStore::SetChangeStart(const std::wstring& guid, const std::wstring& name, double value)
{
    if (!IsUsableGeometryValue(value))
        return;
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    const auto change = record.changes.find(name);
    if (change == record.changes.end()) {
        record.changes.emplace(name, ChangeState(record.frameCounter, value, value));
        return;
    }
    change->second.start = value;
    change->second.startFrame = record.frameCounter;
}

double CDataBarStore::InterpolateChange(const std::wstring& guid, double min, double max, double frames)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    const auto change = record.changes.find(kPercentValue);
    if (change == record.changes.end())
        return min;

    // No number of frames at all: the change is complete at once.
    if (!std::isfinite(frames))
        frames = 0.0;
    const ChangeState& state = change->second;
    const double start = state.start == kUnsetStart ? 0.0 : state.start;
    const double targetHeight = min + (max - min) * state.target;
    const double startHeight = min + (max - min) * start;
    const double remaining = frames + (static_cast<double>(state.startFrame) - record.frameCounter);
    if (!(remaining >= 0.0))
        return targetHeight;

    WriteRedraw(record, 1);
    // A change over no frames is complete at once (the blend would be 0/0).
    if (!(frames > 0.0))
        return targetHeight;
    return startHeight + (targetHeight - startHeight) * (1.0 - remaining / frames);
}

bool CDataBarStore::GetChange(const std::wstring& guid, const std::wstring& name, ChangeState& change)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    const auto found = record.changes.find(name);
    if (found == record.changes.end())
        return false;
    change = found->second;
    return true;
}

bool CDataBarStore::GetPendingValue(const std::wstring& guid, const std::wstring& name, double& value)
{
    CriticalSectionLock lock(m_lock);
    CDataBarRecord& record = FindOrCreate(guid);
    const auto found = record.values.find(name);
    if (found == record.values.end() || found->second == kNoPendingValue)
        return false;
    value = found->second;
    return true;
}

int32_t CDataBarStore::GetFrameCounter(const std::wstring& guid)
{
    CriticalSectionLock lock(m_lock);
    return FindOrCreate(guid).frameCounter;
}
