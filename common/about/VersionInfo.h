#pragma once
// CVersionInfo: the strings of a module's version block.

#include <windows.h>
#include <string>
#include <vector>

class CVersionInfo {
public:
    // FALSE, with nothing kept, when the file has no version block, it
    // cannot be read or it has no translation entry.
    BOOL Open(const std::wstring& path);
    // "\StringFileInfo\<translation>\<key>"; 0 takes the block's first
    // translation. Empty when nothing is open or the value is missing.
    std::wstring QueryString(const std::wstring& key, DWORD translation = 0) const;
    // Language in the high word, code page in the low word.
    DWORD Translation() const { return m_translation; }

private:
    std::vector<BYTE> m_block;
    DWORD m_translation = 0;
};
