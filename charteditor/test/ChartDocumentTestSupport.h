#pragma once
// The chart document of the simulated host's active scene as a test sets it
// up and reads it back, each time through a document of the test's own.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimValue.h"

using Attributes = std::map<std::wstring, std::wstring>;

// Stores a document in the active scene, as an earlier editor left it.
inline void StoreChartDocument(CSimHost& host, const std::function<void(CXmlNode& root)>& fill)
{
    CQuillonDoc writer;
    writer.SetApplication(host.Application());
    fill(*writer.GetRoot());
    ASSERT_TRUE(writer.SaveDocument());
}

// A document whose root has one element with these attributes.
inline void StoreChartElement(CSimHost& host, const wchar_t* element, const Attributes& attributes)
{
    StoreChartDocument(host, [&](CXmlNode& root) {
        CXmlNode* child = new CXmlNode(&root, element);  // the root holds its reference
        for (const auto& [name, value] : attributes)
            child->SetAttribute(name.c_str(), value.c_str());
    });
}

// The root of the document stored in the active scene now.
inline CXmlNodePtr StoredChartRoot(CSimHost& host)
{
    CQuillonDoc reader;
    reader.SetApplication(host.Application());
    reader.LoadFromActiveScene();
    return reader.GetRoot();
}

// The root element's attributes; "(none)" alone when there is no such element.
inline Attributes StoredChartElement(CSimHost& host, const wchar_t* element)
{
    CXmlNodePtr found = CXmlNodePtr::Adopt(StoredChartRoot(host)->FindChild(element, 0));
    if (!found)
        return {{L"(none)", L""}};
    Attributes attributes;
    for (int i = 0; i < found->GetAttributeCount(); ++i)
        attributes[found->GetAttributeName(i)] = found->GetAttributeValue(i);
    return attributes;
}

// The stored bytes of the active scene's document.
inline std::vector<BYTE> StoredChartBytes(CSimHost& host)
{
    std::vector<BYTE> bytes;
    ReadBytes(host.PropertyValue(*host.ActiveScene()->nodes.front(), kPlotvanePropertyGroup, L"Data").Get(), bytes);
    return bytes;
}
