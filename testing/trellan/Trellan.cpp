// Trellan.dll, a stand-in of the outside line-chart library: it records
// every call and keeps the points each chart was given. Calls come on the
// host's thread; the lock only guards readers on other threads.
#define TRELLAN_BUILDING
#include "chartcontrol/Trellan.h"
#include "testing/trellan/TrellanRecording.h"

#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "base/text/WideFormat.h"
#include "base/win/CriticalSection.h"
#include "common/xml/XmlNode.h"

namespace {

struct Recording {
    CriticalSection lock;
    std::vector<std::wstring> calls;                          // guarded by lock
    std::map<std::wstring, std::vector<TrellanPointValue>> points;  // guarded by lock
};

Recording& TheRecording()
{
    static Recording recording;
    return recording;
}

std::wstring Text(const wchar_t* text)
{
    return text ? text : L"(null)";
}

void Record(const std::wstring& call)
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    r.calls.push_back(call);
}

// Every `entry` of `data` under the reply, with its day number and value.
std::vector<TrellanPointValue> ReadPoints(const CXmlNode* response)
{
    std::vector<TrellanPointValue> points;
    if (!response)
        return points;
    CXmlNode* reply = const_cast<CXmlNode*>(response);  // the lookups only count references
    for (int i = 0;; ++i) {
        CXmlNodePtr entry = CXmlNodePtr::Adopt(reply->FindChildAtLastSegment(L"data.entry", i));
        if (!entry)
            return points;
        TrellanPointValue point{};
        if (entry->GetAttributeDouble(L"totaldays", point.totalDays) && entry->GetAttributeDouble(L"value", point.value))
            points.push_back(point);
    }
}

} // namespace

extern "C" {

int32_t SetPoints(const wchar_t* guid, const CXmlNode* response)
{
    std::vector<TrellanPointValue> points = ReadPoints(response);
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    r.calls.push_back(FormatWide(L"SetPoints(%s, %u points)", Text(guid).c_str(), static_cast<unsigned>(points.size())));
    if (guid)
        r.points[guid] = std::move(points);
    return 1;
}

int32_t LabelCount(const wchar_t* guid, int32_t dateLabels, int32_t valueLabels)
{
    Record(FormatWide(L"LabelCount(%s, %d, %d)", Text(guid).c_str(), dateLabels, valueLabels));
    return 1;
}

int32_t RegisterLabel(const wchar_t* guid, int32_t axis, const wchar_t* labelName, int32_t index)
{
    Record(FormatWide(L"RegisterLabel(%s, %d, %s, %d)", Text(guid).c_str(), axis, Text(labelName).c_str(), index));
    return 1;
}

int32_t EnableLocateLabels(const wchar_t* guid, int32_t enable)
{
    Record(FormatWide(L"EnableLocateLabels(%s, %d)", Text(guid).c_str(), enable));
    return 1;
}

int32_t SetTrellanRedraw(const wchar_t* guid, int32_t redraw)
{
    Record(FormatWide(L"SetTrellanRedraw(%s, %d)", Text(guid).c_str(), redraw));
    return 1;
}

int32_t TrellanCallCount()
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    return static_cast<int32_t>(r.calls.size());
}

int32_t TrellanCallText(int32_t index, wchar_t* text, int32_t capacity)
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    if (index < 0 || static_cast<size_t>(index) >= r.calls.size())
        return -1;
    const std::wstring& call = r.calls[static_cast<size_t>(index)];
    if (text && capacity > 0) {
        const size_t copied = std::min(call.size(), static_cast<size_t>(capacity) - 1);
        wmemcpy(text, call.data(), copied);
        text[copied] = L'\0';
    }
    return static_cast<int32_t>(call.size());
}

int32_t TrellanPointCount(const wchar_t* guid)
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    auto found = r.points.find(Text(guid));
    return found == r.points.end() ? 0 : static_cast<int32_t>(found->second.size());
}

int32_t TrellanPoint(const wchar_t* guid, int32_t index, double* totalDays, double* value)
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    auto found = r.points.find(Text(guid));
    if (found == r.points.end() || index < 0 || static_cast<size_t>(index) >= found->second.size())
        return 0;
    const TrellanPointValue& point = found->second[static_cast<size_t>(index)];
    if (totalDays)
        *totalDays = point.totalDays;
    if (value)
        *value = point.value;
    return 1;
}

void TrellanReset()
{
    Recording& r = TheRecording();
    CriticalSectionLock lock(r.lock);
    r.calls.clear();
    r.points.clear();
}

} // extern "C"
