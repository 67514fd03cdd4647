#pragma once
// For tests of in-process servers: running regsvr32 on a module, reading
// back what it left under HKEY_CLASSES_ROOT, and a registration for the
// length of a test program. Such tests share the prefix's registry and take
// the CTest resource lock "com_registration".

#include <windows.h>

#include <string>

// The folder of the running test, where the build put the modules.
std::wstring TestModuleFolder();

// regsvr32 /s [/u] on the module; false when it does not end within a
// minute (it is then ended) or cannot start. `exitCode` is regsvr32's.
bool RunRegsvr32(const std::wstring& modulePath, bool unregister, DWORD& exitCode);

// The value ("" names the default) of a key below HKEY_CLASSES_ROOT; false
// when the key or the value is missing or not a string.
bool ReadClassesString(const std::wstring& key, const wchar_t* value, std::wstring& text);
bool ClassesKeyExists(const std::wstring& key);

// Registers the module through its own DllRegisterServer while it lives and
// removes it again at the end.
class CScopedServerRegistration {
public:
    explicit CScopedServerRegistration(const std::wstring& modulePath);
    CScopedServerRegistration(const CScopedServerRegistration&) = delete;
    CScopedServerRegistration& operator=(const CScopedServerRegistration&) = delete;
    ~CScopedServerRegistration();

    HRESULT Result() const { return m_result; }

private:
    HRESULT Call(const char* exportName);

    std::wstring m_path;
    HRESULT m_result;
};
