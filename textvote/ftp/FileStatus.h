#pragma once
// One entry of a directory listing, as far as its line tells.

#include <string>
#include <vector>

#include "textvote/ftp/RCIPtr.h"

namespace nsFTP {

class CFTPFileStatus {
public:
    enum class SizeType { Unknown = 0, Binary = 1 };
    enum class MTimeType { Unknown = 0, Exact = 1, RemoteMinute = 2, RemoteDay = 3 };
    enum class IdType { Unknown = 0, Full = 1 };

    CFTPFileStatus() = default;
    void Reset() { *this = CFTPFileStatus(); }

    bool operator==(const CFTPFileStatus& other) const;
    bool operator!=(const CFTPFileStatus& other) const { return !(*this == other); }

    std::wstring name;
    std::wstring path;
    bool tryCWD = false;
    bool tryRETR = false;
    SizeType sizeType = SizeType::Unknown;
    long long size = -1;
    MTimeType mtimeType = MTimeType::Unknown;
    // Seconds since 1970-01-01 00:00, the listing's date read as UTC.
    long long mtime = 0;
    std::wstring attributes;
    std::wstring owner;
    std::wstring group;
    std::wstring linkCount;
    IdType idType = IdType::Unknown;
    std::wstring id;
};

using TFTPFileStatusShPtr = nsSP::RCIPtr<CFTPFileStatus>;
using TFTPFileStatusShPtrVec = std::vector<TFTPFileStatusShPtr>;

}  // namespace nsFTP
