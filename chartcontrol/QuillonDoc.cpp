#include "chartcontrol/QuillonDoc.h"

#include <zlib.h>

#include <cstring>
#include <memory>

#include "chartcontrol/QuillonIds.h"
#include "base/com/ComTypes.h"
#include "common/xml/XmlParse.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"

namespace {

const wchar_t kDocumentNode[] = L"Global Light";
const wchar_t kDocumentProperty[] = L"Data";
const wchar_t kRootName[] = L"Quillon";

// A scene's settings are a few kilobytes; the size field comes from the scene file.
constexpr uint64_t kMaxTextBytes = 64u * 1024 * 1024;
// Deflate cannot shrink anything further than this.
constexpr uint64_t kMaxDeflateRatio = 1032;

// The node's "Data" group, or null when a link is missing.
std::unique_ptr<CHostPropertyGroup> DocumentProperties(CHostScene& scene)
{
    std::unique_ptr<CHostNode> light = scene.GetElement(kDocumentNode);
    return light ? light->Properties(kPlotvanePropertyGroup) : nullptr;
}

// The bytes of a one-dimensional array of one-byte elements, from any lower bound.
bool ReadByteArray(const VARIANT& value, std::vector<BYTE>& bytes)
{
    SAFEARRAY* array = value.parray;
    if (!array || SafeArrayGetDim(array) != 1 || SafeArrayGetElemsize(array) != 1)
        return false;
    LONG low = 0, high = 0;
    if (FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high)))
        return false;
    const int64_t count = static_cast<int64_t>(high) - low + 1;
    if (count <= 0)
        return count == 0;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return false;
    const BYTE* first = static_cast<const BYTE*>(data);
    bytes.assign(first, first + count);
    SafeArrayUnaccessData(array);
    return true;
}

} // namespace

bool PackDocumentText(const std::wstring& text, std::vector<BYTE>& block)
{
    const uint64_t textBytes = static_cast<uint64_t>(text.size()) * sizeof(wchar_t);
    if (textBytes > kMaxTextBytes)
        return false;
    const uLong sourceLength = static_cast<uLong>(textBytes);
    // The bound, not the text's size: a text that deflates larger still saves.
    uLongf packedLength = compressBound(sourceLength);
    block.assign(4 + static_cast<size_t>(packedLength), 0);
    if (compress(block.data() + 4, &packedLength, reinterpret_cast<const Bytef*>(text.data()), sourceLength) != Z_OK)
        return false;
    for (int i = 0; i < 4; ++i)
        block[static_cast<size_t>(i)] = static_cast<BYTE>(sourceLength >> (8 * i));
    block.resize(4 + static_cast<size_t>(packedLength));
    return true;
}

bool UnpackDocumentText(const BYTE* block, size_t size, std::wstring& text)
{
    if (!block || size < 4)
        return false;
    const uint64_t textBytes = static_cast<uint64_t>(block[0]) | static_cast<uint64_t>(block[1]) << 8 |
                               static_cast<uint64_t>(block[2]) << 16 | static_cast<uint64_t>(block[3]) << 24;
    const uint64_t packedBytes = size - 4;
    if (textBytes % sizeof(wchar_t) != 0 || textBytes > kMaxTextBytes || textBytes > packedBytes * kMaxDeflateRatio)
        return false;
    std::vector<BYTE> unpacked(static_cast<size_t>(textBytes));
    uLongf unpackedLength = static_cast<uLongf>(textBytes);
    if (uncompress(unpacked.data(), &unpackedLength, block + 4, static_cast<uLong>(packedBytes)) != Z_OK)
        return false;
    // The text ends where zlib's output ends.
    text.assign(unpackedLength / sizeof(wchar_t), L'\0');
    if (!text.empty())
        memcpy(&text[0], unpacked.data(), text.size() * sizeof(wchar_t));
    return true;
}

CXmlNodePtr CQuillonDoc::GetRoot()
{
    if (!m_root)
        m_root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, kRootName));
    return m_root;
}

bool CQuillonDoc::LoadFromScene(CHostScene& scene)
{
    ScopedVariant value;
    try {
        std::unique_ptr<CHostPropertyGroup> properties = DocumentProperties(scene);
        if (!properties)
            return false;
        properties->GetValue(kDocumentProperty, value);
    } catch (const CHostException&) {
        return false;  // no "Global Light", no group: no document
    }
    if (value->vt != (VT_ARRAY | VT_I1))
        return false;

    std::vector<BYTE> block;
    std::wstring text;
    if (!ReadByteArray(*value.Get(), block) || !UnpackDocumentText(block.data(), block.size(), text))
        return true;
    CXmlNodePtr container;
    if (FAILED(ParseXmlText(text, container)) || !container)
        return true;
    CXmlNodePtr root = CXmlNodePtr::Adopt(container->FindChildAtLastSegment(kRootName, 0));
    if (root)
        m_root = root;
    return true;
}

void CQuillonDoc::LoadFromActiveScene()
{
    Clear();
    try {
        CHostApplication application;
        application.Attach(m_application);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        if (scene)
            LoadFromScene(*scene);
    } catch (const CHostException&) {
        // no active scene: no document
    }
    UpdateAllViews(nullptr, kHintLoaded);
}

bool CQuillonDoc::SaveDocument()
{
    if (!m_root)
        return false;
    UpdateAllViews(nullptr, kHintSaving);
    std::wstring text;
    m_root->WriteToString(text);
    std::vector<BYTE> block;
    if (!PackDocumentText(text, block))
        return false;

    SAFEARRAY* array = SafeArrayCreateVector(VT_I1, 0, static_cast<ULONG>(block.size()));
    if (!array)
        return false;
    ScopedVariant value;
    value->vt = VT_ARRAY | VT_I1;
    value->parray = array;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return false;
    memcpy(data, block.data(), block.size());
    SafeArrayUnaccessData(array);

    try {
        CHostApplication application;
        application.Attach(m_application);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        std::unique_ptr<CHostPropertyGroup> properties = scene ? DocumentProperties(*scene) : nullptr;
        if (!properties)
            return false;
        properties->SetValue(kDocumentProperty, *value.Get());
    } catch (const CHostException&) {
        return false;  // a missing link stores nothing
    }
    UpdateAllViews(nullptr, kHintSaved);
    return true;
}

void CQuillonDoc::Clear()
{
    m_root.Reset();
    UpdateAllViews(nullptr, kHintCleared);
}
