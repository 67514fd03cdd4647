#include "geometry/ShapeMakerFile.h"

#include <windows.h>

#include <cwchar>

#include "common/text/TextConversion.h"
#include "common/xml/XmlParse.h"
#include "common/storedvalues/CNumbers.h"
#include "geometry/XmlBytes.h"

namespace {

const wchar_t kRootName[] = L"ShapeMaker";
const wchar_t kPointName[] = L"Point";
const wchar_t kVersion[] = L"1.0";

// The first child named exactly `name` (the tree's lookup matches prefixes).
CXmlNodePtr ExactChild(CXmlNode* parent, const wchar_t* name, int startAt, int* position)
{
    for (int i = startAt;; ++i) {
        CXmlNodePtr child = CXmlNodePtr::Adopt(parent->FindChild(name, i));
        if (!child)
            return child;
        if (wcscmp(child->GetName(), name) == 0) {
            if (position)
                *position = i;
            return child;
        }
    }
}

CXmlNodePtr PointWithIndex(CXmlNode* root, int index)
{
    int position = -1;
    for (;;) {
        CXmlNodePtr point = ExactChild(root, kPointName, position + 1, &position);
        if (!point)
            return point;
        std::wstring text;
        int value = 0;
        if (point->GetAttributeString(L"index", text) && ParseCInt(text, value) && value == index)
            return point;
    }
}

bool ReadFloat(const CXmlNode& node, const wchar_t* name, float& value)
{
    std::wstring text;
    double parsed = 0.0;
    if (!node.GetAttributeString(name, text) || !ParseCDouble(text, parsed))
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
    CXmlNodePtr root = ExactChild(tree.Get(), kRootName, 0, nullptr);
    std::wstring version;
    if (!root || !root->GetAttributeString(L"version", version) || _wcsicmp(version.c_str(), kVersion) != 0)
        return false;

    std::vector<CShapePoint> read;
    for (int index = 0; read.size() < maxPoints; ++index) {
        CXmlNodePtr element = PointWithIndex(root.Get(), index);
        if (!element)
            break;
        CShapePoint point;
        point.index = index;
        if (!ReadPoint(*element, point))
            return false;
        read.push_back(point);
    }
    points.swap(read);
    return true;
}
