#pragma once
// For tests of stored numbers: the process runs in a German locale, whose
// decimal separator is a comma, for the life of the object.

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

class ScopedCommaLocale {
public:
    ScopedCommaLocale() : m_before(setlocale(LC_ALL, nullptr))
    {
        m_active = setlocale(LC_ALL, "German_Germany.1252") || setlocale(LC_ALL, "de-DE");
    }
    ~ScopedCommaLocale() { setlocale(LC_ALL, m_before.c_str()); }
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    // False when the prefix has no German locale.
    bool Active() const { return m_active; }
    // Whether the C runtime's own formatting now writes "1,5": otherwise a
    // test under this locale shows nothing.
    static bool FormatsWithComma()
    {
        char probe[16];
        snprintf(probe, sizeof probe, "%.1f", 1.5);
        return strcmp(probe, "1,5") == 0;
    }

private:
    std::string m_before;
    bool m_active = false;
};
