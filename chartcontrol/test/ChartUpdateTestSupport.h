#pragma once
// Tests of the chart update: the control made in this process, started by
// the simulated host on a scene of the test's own, with the test's
// providers.xml beside the test program (which holds the control's code).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "chartcontrol/ModulePath.h"
#include "chartcontrol/QuillonCtrl.h"
#include "chartcontrol/QuillonIds.h"
#include "base/com/ComTypes.h"
#include "common/logwindow/test/LogPageStandIn.h"
#include "common/storedvalues/StorableGuid.h"
#include "base/text/WideFormat.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"
#include "testing/trellan/TrellanRecording.h"

class ChartUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RefPtr<IClassFactory> factory;
        ASSERT_HRESULT_SUCCEEDED(GetServerClassObject(QuillonServer(), kQuillonClsid, IID_IClassFactory,
                                                      reinterpret_cast<void**>(factory.Put())));
        ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(control.Put())));
        ASSERT_TRUE(host.InitializeControl(control.Get()));
        TrellanReset();
        host.ClearLog();
        m_references = host.OutsideReferences();
    }
    void TearDown() override
    {
        EXPECT_EQ(m_references, host.OutsideReferences()) << "host references leaked";
        std::wstring path;
        if (GetOcxSiblingPath(L"providers.xml", path))
            DeleteFileW(path.c_str());
    }

    // A scene of ours (root Scene), focused on the canvas. "$GROUP" stands for
    // the control's property group, "$GUID1", "$GUID2" ... for GUIDs new to this
    // process (Vantre's value store keeps every GUID it met).
    CSimScene& LoadScene(std::wstring xml)
    {
        Replace(xml, L"$GROUP", kPlotvanePropertyGroup);
        for (int n = 9; n >= 1; --n)
            Replace(xml, L"$GUID" + std::to_wstring(n), Guid(n));
        std::wstring error;
        EXPECT_TRUE(LoadSceneText(host, xml, error)) << error;
        return *host.ActiveScene();
    }
    const std::wstring& Guid(int n)
    {
        std::wstring& text = m_guids[n];
        if (text.empty()) {
            GUID guid;
            EXPECT_HRESULT_SUCCEEDED(CreateStorableGuid(guid));
            text = GuidString(guid);
        }
        return text;
    }

    // providers.xml as a hand-written file: UTF-16 with its byte-order mark.
    void WriteProviders(const std::wstring& providers)
    {
        std::wstring path;
        ASSERT_TRUE(GetOcxSiblingPath(L"providers.xml", path));
        const std::wstring text = L"\xFEFF<providers>\r\n" + providers + L"</providers>\r\n";
        FILE* file = _wfopen(path.c_str(), L"wb");
        ASSERT_NE(nullptr, file);
        fwrite(text.data(), sizeof(wchar_t), text.size(), file);
        fclose(file);
    }
    static std::wstring Provider(const wchar_t* name, int port, int timeoutMs)
    {
        return FormatWide(L"<provider name=\"%s\" address=\"127.0.0.1\" port=\"%d\" timeoutMSEC=\"%d\"/>\r\n", name, port,
                          timeoutMs);
    }

    HRESULT UpdateChart(const std::wstring& text, std::wstring* error = nullptr)
    {
        return host.CallControl(control.Get(), L"UpdateChart", DISPATCH_METHOD, {CSimValue(text)}, nullptr, error);
    }
    HRESULT RaiseEvent(long event, std::wstring* error = nullptr)
    {
        return host.CallControl(control.Get(), L"LyricEventEx", DISPATCH_METHOD, {CSimValue(event), CSimValue()},
                                nullptr, error);
    }

    // What a template or a node's first element shows.
    static std::wstring Text(CSimScene& scene, const std::wstring& name)
    {
        if (CSimElement* element = scene.Template(name))
            return element->text ? element->text->text : L"(no text)";
        CSimNode* node = scene.Find(name);
        if (!node)
            return L"(no node)";
        return node->elements.empty() || !node->elements.front()->text ? L"(no text)" : node->elements.front()->text->text;
    }
    static bool Visible(CSimScene& scene, const std::wstring& name)
    {
        CSimNode* node = scene.Find(name);
        EXPECT_NE(nullptr, node) << name;
        return node && node->visible;
    }
    // The bar's height once the host has rebuilt what asks for it.
    double BarHeight(CSimScene& scene, const std::wstring& name)
    {
        std::wstring error;
        EXPECT_LE(0, host.Geometry().Rebuild(error)) << error;
        CSimNode* node = scene.Find(name);
        const CStandInGeoObject* bar = node ? host.Geometry().ObjectOf(*node) : nullptr;
        float bottom = 0, top = 0;
        if (!bar || !MeshHeights(*bar, bottom, top)) {
            ADD_FAILURE() << name << " has no mesh";
            return -1;
        }
        return top - bottom;
    }

    // Trellan's calls with the GUIDs written as "$GUID<n>".
    std::vector<std::wstring> TrellanCallsNamed()
    {
        std::vector<std::wstring> calls = TrellanCalls();
        for (std::wstring& call : calls)
            for (const auto& guid : m_guids)
                Replace(call, guid.second, L"$GUID" + std::to_wstring(guid.first));
        return calls;
    }

    CSimHost host;
    RefPtr<IDispatch> control;
    CLogPageStandIn log;

private:
    static void Replace(std::wstring& text, const std::wstring& from, const std::wstring& to)
    {
        for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }

    std::map<int, std::wstring> m_guids;
    long m_references = 0;
};
