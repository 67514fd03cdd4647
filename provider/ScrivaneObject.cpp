#include "provider/ScrivaneObject.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdio>
#include <initializer_list>
#include <new>

#include "common/automation/DispatchArguments.h"
#include "base/com/ComBoundary.h"
#include "base/win/UniqueHandle.h"
#include "common/xml/XmlName.h"
#include "provider/ProgramLog.h"
#include "provider/ScrivaneIds.h"
#include "provider/TotalDays.h"

namespace {

// Argument counts: members 1 and 2 fail on a wrong count, the others ignore
// the call.
struct MemberShape {
    UINT argumentCount;
    bool wrongCountFails;
};

MemberShape ShapeOf(DISPID member)
{
    switch (member) {
    case kWriteLog: return {1, true};
    case kAddDataEntry: return {7, true};
    case kSetCurrent: case kSetDataAttribute: case kSetExtra: return {2, false};
    default: return {1, false};
    }
}

void ReportArgumentError(UINT* argumentError, const DispatchArguments& args)
{
    if (argumentError)
        *argumentError = args.FailedBlockPosition();
}

// The leading arguments as texts, in script order.
HRESULT ReadTexts(const DISPPARAMS& params, std::initializer_list<std::wstring*> texts, UINT* argumentError)
{
    DispatchArguments args(params);
    UINT position = 0;
    for (std::wstring* text : texts) {
        const HRESULT hr = args.Text(position++, *text);
        if (FAILED(hr)) {
            ReportArgumentError(argumentError, args);
            return hr;
        }
    }
    return S_OK;
}

}  // namespace

CScrivaneObject::CScrivaneObject() : CAutomationObject(ScrivaneIdentity(), LogText)
{
}

void CScrivaneObject::SetResultTree(CXmlNode* root)
{
    m_root = CXmlNodePtr(root);
}

STDMETHODIMP CScrivaneObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL) || !(flags & DISPATCH_METHOD) || !params)
        return E_INVALIDARG;
    // A script past its time limit is stopped at its next call.
    if (CallsStopped())
        return E_ABORT;
    if (member < kWriteLog || member > kHideNode)
        return E_FAIL;
    const MemberShape shape = ShapeOf(member);
    if (params->cArgs != shape.argumentCount)
        return shape.wrongCountFails ? E_FAIL : S_OK;
    return ComBoundary([&] { return RunMember(member, *params, argumentError); });
}

HRESULT CScrivaneObject::RunMember(DISPID member, const DISPPARAMS& params, UINT* argumentError)
{
    if (member == kWriteLog) {
        std::wstring text;
        const HRESULT hr = ReadTexts(params, {&text}, argumentError);
        if (SUCCEEDED(hr))
            LogText(text);
        return hr;
    }
    // The script's global code runs before a reply tree is bound.
    if (!m_root)
        return S_OK;
    switch (member) {
    case kAddDataEntry: return AddDataEntry(params, argumentError);
    case kSetCurrent: return SetAttributeOn(L"current", params, argumentError);
    case kSaveResponse: return SaveResponse(params, argumentError);
    case kSetDataAttribute: return SetAttributeOn(L"data", params, argumentError);
    case kSetExtra: return SetAttributeOn(L"extra", params, argumentError);
    case kShowNode: return AppendSceneGraphChild(L"show", params, argumentError);
    case kHideNode: return AppendSceneGraphChild(L"hide", params, argumentError);
    case kSetStatus: {
        std::wstring text;
        const HRESULT hr = ReadTexts(params, {&text}, argumentError);
        if (SUCCEEDED(hr))
            m_root->SetAttribute(L"status", text.c_str());
        return hr;
    }
    default: return E_FAIL;
    }
}

CXmlNodePtr CScrivaneObject::FindOrCreate(const wchar_t* element)
{
    CXmlNodePtr found = CXmlNodePtr::Adopt(m_root->FindChild(element, 0));
    if (!found)
        found = CXmlNodePtr(new CXmlNode(m_root.Get(), element));   // the root keeps the creation reference
    return found;
}

HRESULT CScrivaneObject::AddDataEntry(const DISPPARAMS& params, UINT* argumentError)
{
    // Everything is converted and checked before the tree changes, so a failed
    // call leaves the reply as it was.
    static const wchar_t* const kDateNames[6] = {L"month", L"day", L"year", L"hour", L"minute", L"second"};
    DispatchArguments args(params);
    std::wstring dateTexts[6];
    LONG dateParts[6] = {};
    std::wstring valueText;
    double value = 0.0;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < 6 && SUCCEEDED(hr); ++i) {
        hr = args.Text(i, dateTexts[i]);
        if (SUCCEEDED(hr))
            hr = args.Int32(i, dateParts[i]);
    }
    if (SUCCEEDED(hr))
        hr = args.Text(6, valueText);
    if (SUCCEEDED(hr))
        hr = args.Double(6, value);
    if (FAILED(hr)) {
        ReportArgumentError(argumentError, args);
        return hr;
    }
    double totalDays = 0.0;
    if (!std::isfinite(value) ||
        !TotalDaysSince1900(dateParts[2], dateParts[0], dateParts[1], dateParts[3], dateParts[4], dateParts[5], totalDays))
        return DISP_E_OVERFLOW;

    CXmlNodePtr data = FindOrCreate(L"data");
    int count = 0;
    const bool hasCount = data->GetAttributeInt(L"count", count);
    if (hasCount && count == INT_MAX)
        return DISP_E_OVERFLOW;

    CXmlNode* entry = new CXmlNode(data.Get(), L"entry");   // borrowed: data keeps it
    // Attributes keep name order in the tree; the order of setting is free.
    for (int i = 0; i < 6; ++i)
        entry->SetAttribute(kDateNames[i], dateTexts[i].c_str());
    std::replace(valueText.begin(), valueText.end(), L',', L'.');
    entry->SetAttribute(L"value", valueText.c_str());
    entry->SetAttributeDouble(L"totaldays", totalDays, L"%lf");

    data->SetAttributeInt(L"count", hasCount ? count + 1 : 1);
    double present = 0.0;
    data->SetAttributeDouble(L"maxtotaldays",
        data->GetAttributeDouble(L"maxtotaldays", present) ? std::max(present, totalDays) : totalDays, L"%lf");
    data->SetAttributeDouble(L"mintotaldays",
        data->GetAttributeDouble(L"mintotaldays", present) ? std::min(present, totalDays) : totalDays, L"%lf");
    data->SetAttributeDouble(L"maxvalue",
        data->GetAttributeDouble(L"maxvalue", present) ? std::max(present, value) : value, L"%.2lf");
    data->SetAttributeDouble(L"minvalue",
        data->GetAttributeDouble(L"minvalue", present) ? std::min(present, value) : value, L"%.2lf");
    return S_OK;
}

HRESULT CScrivaneObject::SetAttributeOn(const wchar_t* element, const DISPPARAMS& params, UINT* argumentError)
{
    std::wstring name;
    std::wstring value;
    const HRESULT hr = ReadTexts(params, {&name, &value}, argumentError);
    if (FAILED(hr))
        return hr;
    // A name no reader accepts would cost the client the whole reply.
    if (!IsXmlName(name)) {
        if (argumentError)
            *argumentError = params.cArgs - 1;   // the first script argument
        return E_INVALIDARG;
    }
    FindOrCreate(element)->SetAttribute(name.c_str(), value.c_str());
    return S_OK;
}

HRESULT CScrivaneObject::AppendSceneGraphChild(const wchar_t* name, const DISPPARAMS& params, UINT* argumentError)
{
    std::wstring text;
    const HRESULT hr = ReadTexts(params, {&text}, argumentError);
    if (FAILED(hr))
        return hr;
    CXmlNodePtr sceneGraph = FindOrCreate(L"scenegraph");
    (new CXmlNode(sceneGraph.Get(), name))->SetText(text.c_str());
    return S_OK;
}

HRESULT CScrivaneObject::SaveResponse(const DISPPARAMS& params, UINT* argumentError)
{
    std::wstring path;
    const HRESULT hr = ReadTexts(params, {&path}, argumentError);
    if (FAILED(hr))
        return hr;
    // Failures here never reach the script.
    UniqueStdioFile file(_wfopen(path.c_str(), L"wb"));
    if (!file)
        return S_OK;
    static const unsigned char kUtf16LeMark[2] = {0xFF, 0xFE};
    if (fwrite(kUtf16LeMark, 1, sizeof(kUtf16LeMark), file.Get()) == sizeof(kUtf16LeMark))
        m_root->WriteToFile(file.Get());
    return S_OK;
}
