#pragma once
// Test fixture for the provider's parts: a private program folder (so
// Setup.ini and the log folder are the test's own), a message-only log
// window that collects the posted lines, and a clock the test sets.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/logwindow/test/LogPageStandIn.h"

#include "common/xml/test/XmlNodeTestSupport.h"

class ProviderFixture : public XmlNodeLeakCheck {
protected:
    void SetUp() override;
    void TearDown() override;

    // The messages posted since the last call (the part after the time stamp's " - ").
    std::vector<std::wstring> WindowMessages();
    void SetClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms);
    void WriteSetup(const wchar_t* key, int value);

    const std::wstring& Folder() const { return m_folder; }
    HWND LogWindow() const { return m_log->Window(); }
    // The whole of a file's bytes; empty when it does not exist.
    static std::string ReadFileBytes(const std::wstring& path);

private:
    std::wstring m_folder;
    std::unique_ptr<CLogPageStandIn> m_log;
    SYSTEMTIME m_now = {};
};

// Removes a folder and everything in it.
void RemoveFolderTree(const std::wstring& folder);
