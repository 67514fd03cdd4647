#pragma once
// DrovelLEIFlet.ocx as the host uses it, for tests: registered in the test
// prefix for the whole program, the editing component in the Windows folder
// (or not), a simulated host with a movie object, and what the control
// wrote back.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/com/RefPtr.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"
#include "testing/simhost/SimHostTestSupport.h"

// The editing component where the control looks for it,
// "C:\Windows\SciLexer.dll": copied there for the object's life, or kept
// away. Either way the folder holds none afterwards.
class ScopedWindowsEditorComponent {
public:
    explicit ScopedWindowsEditorComponent(bool present);
    ScopedWindowsEditorComponent(const ScopedWindowsEditorComponent&) = delete;
    ScopedWindowsEditorComponent& operator=(const ScopedWindowsEditorComponent&) = delete;
    ~ScopedWindowsEditorComponent();

    bool Ready() const { return m_ready; }

private:
    std::wstring m_path;
    bool m_ready = false;
};

// A host with a movie object "Promo" whose one element plays
// TestFolder()\clip.avi (no file unless a test writes one), the control
// registered for the whole program and the editing component in the Windows
// folder, or not. Every reference a test's control took on the host's
// objects must be gone at its end.
class DrovelPluginTest : public SimHostFixture {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    explicit DrovelPluginTest(bool editorComponent = true);
    void SetUp() override;
    // The host lets its controls go first: none may keep a reference.
    void TearDown() override;

    // A new control as the host makes it, kept by the host until it goes.
    RefPtr<IDispatch> LoadControl();
    // A folder of this test's own, empty, below the program's folder.
    std::wstring TestFolder() const;
    void SetMovieFile(const std::wstring& path);
    std::wstring MovieFile() const;
    void SetProperty(const std::wstring& name, const std::wstring& value);
    std::wstring Property(const std::wstring& name) const;

    // "Name=value" of every property the host was told to store, in order.
    std::vector<std::wstring> PropertyWrites() const;

    CSimNode& movie;

private:
    static std::unique_ptr<CScopedServerRegistration> s_registration;
    ScopedWindowsEditorComponent m_editorComponent;
};

// Without the editing component: every control tells the user, and its
// editor opens without the script editor.
class DrovelWithoutEditorTest : public DrovelPluginTest {
protected:
    DrovelWithoutEditorTest() : DrovelPluginTest(false) {}
};
