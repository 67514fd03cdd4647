#include "geometry/ShapeMakerFile.h"

#include <windows.h>

#include <cwchar>
#include <map>

#include "base/text/TextConversion.h"
#include "common/xml/XmlParse.h"
#include "common/storedvalues/CNumbers.h"
#include "geometry/HostValues.h"
#include "geometry/XmlBytes.h"

namespace {

const wchar_t kRootName[] = L"ShapeMaker";
const wchar_t kPointName[] = L"Point";
const wchar_t kVersion[] = L"1.0";

// The first child named exactly `name` (the tree's lookup matches prefixes).
CXmlNodePtr ExactChild(const CXmlNode& parent, const wchar_t* name)
{
    for (int i = 0; i < parent.GetChildCount(); ++i) {
        CXmlNode* const child = parent.GetChild(i);
        if (wcscmp(child->GetName(), name) == 0)
            return CXmlNodePtr(child);
    }
    return nullptr;
}

// The first "Point" for each index below `limit`, in one pass over the
// children: a file may hold any number of others.
std::map<int, CXmlNode*> PointsByIndex(const CXmlNode& root, size_t limit)
{
    std::map<int, CXmlNode*> points;
    for (int i = 0; i < root.GetChildCount(); ++i) {
        CXmlNode* const child = root.GetChild(i);
        std::wstring text;
        int index = 0;
        if (wcscmp(child->GetName(), kPointName) == 0 && child->GetAttributeString(L"index", text) &&
            ParseCInt(text, index) && index >= 0 && static_cast<size_t>(index) < limit)
            points.emplace(index, child);
    }
    return points;
}

// A number that becomes geometry: usable as a float, or refused.
bool ReadFloat(const CXmlNode& node, const wchar_t* name, float& value)
{
    std::wstring text;
    double parsed = 0.0;
    if (!node.GetAttributeString(name, text) || !ParseCDouble(text, parsed) || !IsUsableGeometryValue(parsed))
        return false;
    value = static_cast<float>(parsed);
    return true;
}

bool ReadPoint(const CXmlNode& node, CShapePoint& point)
{
    std::wstring typeText;
    return ReadFloat(node, L"x", point.x) && ReadFloat(node, L"y", point.y) &&
           ReadFloat(node, L"leftX", point.inX) && ReadFloat(node, L"leftY", point.inY) &&
           ReadFloat(node, L"rightX", point.outX) && ReadFloat(node, L"rightY", point.outY) &&
           node.GetAttributeString(L"type", typeText) && ParseCInt(typeText, point.type);
}

}  // namespace

std::string FormatShapeMakerFile(const std::vector<CShapePoint>& points)
{
    CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, kRootName));
    root->SetAttribute(L"version", kVersion);
    for (const CShapePoint& point : points) {
        CXmlNode* element = new CXmlNode(root.Get(), kPointName);
        element->SetAttributeInt(L"index", point.index);
        element->SetAttributeInt(L"type", point.type);
        element->SetAttribute(L"x", FormatFixed8(point.x).c_str());
        element->SetAttribute(L"y", FormatFixed8(point.y).c_str());
        element->SetAttribute(L"leftX", FormatFixed8(point.inX).c_str());
        element->SetAttribute(L"leftY", FormatFixed8(point.inY).c_str());
        element->SetAttribute(L"rightX", FormatFixed8(point.outX).c_str());
        element->SetAttribute(L"rightY", FormatFixed8(point.outY).c_str());
    }
    std::wstring text;
    root->WriteToString(text);
    return WideToNarrow(text, CP_ACP);
}

bool ParseShapeMakerFile(const std::string& bytes, size_t maxPoints, std::vector<CShapePoint>& points)
{
    const std::wstring text = DecodeXmlBytes(bytes.data(), bytes.size(), CP_ACP);
    CXmlNodePtr tree;
    if (text.empty() || ParseXmlText(text, tree) != S_OK)
        return false;
    CXmlNodePtr root = ExactChild(*tree, kRootName);
    std::wstring version;
    if (!root || !root->GetAttributeString(L"version", version) || _wcsicmp(version.c_str(), kVersion) != 0)
        return false;

    const std::map<int, CXmlNode*> elements = PointsByIndex(*root, maxPoints);
    std::vector<CShapePoint> read;
    for (int index = 0;; ++index) {
        const auto element = elements.find(index);
        if (element == elements.end())
            break;
        CShapePoint point;
        point.index = index;
        if (!ReadPoint(*element->second, point))
            return false;
        read.push_back(point);
    }
    // A file without a single point is no shape: the current one stays.
    if (read.empty())
        return false;
    points.swap(read);
    return true;
}
