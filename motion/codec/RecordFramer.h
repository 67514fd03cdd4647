#pragma once
// Cuts a byte stream into records between a start pattern and an end
// pattern, collecting at most kCapacity bytes: a longer run is dropped.

#include <array>
#include <cstddef>
#include <string>
#include <vector>
#include <windows.h>

class CRecordFramer {
public:
    static constexpr size_t kCapacity = 1024;
    static constexpr size_t kMaxPatternBytes = 128;

    enum State { kSeekingStart = 1, kCollecting = 2, kNotMatching = 3 };

    // Patterns as hexadecimal text ("02", "0D0A"). With an empty end pattern no
    // records are made. False, with nothing changed, for text that is not
    // hexadecimal, of odd length or longer than a pattern holds.
    bool SetPatterns(const std::wstring& startHex, const std::wstring& endHex);

    // Takes one byte; true when it completed a record, whose bytes (without
    // the patterns) are then in `record`.
    bool Feed(BYTE byte, std::vector<BYTE>& record);

    State CurrentState() const { return m_state; }

private:
    using Pattern = std::array<BYTE, kMaxPatternBytes>;
    static bool ParseHex(const std::wstring& hex, Pattern& pattern, size_t& length);
    void SeekStart(BYTE byte);
    bool Collect(std::vector<BYTE>& record);

    std::array<BYTE, kCapacity> m_buffer{};
    size_t m_count = 0;
    Pattern m_start{};
    Pattern m_end{};
    size_t m_startLength = 0;
    size_t m_endLength = 0;
    State m_state = kNotMatching;
};
