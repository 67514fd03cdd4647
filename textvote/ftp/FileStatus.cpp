#include "textvote/ftp/FileStatus.h"

#include <tuple>

namespace nsFTP {

namespace {

auto Fields(const CFTPFileStatus& s)
{
    return std::tie(s.name, s.path, s.tryCWD, s.tryRETR, s.sizeType, s.size, s.mtimeType, s.mtime,
                    s.attributes, s.owner, s.group, s.linkCount, s.idType, s.id);
}

}  // namespace

bool CFTPFileStatus::operator==(const CFTPFileStatus& other) const
{
    return Fields(*this) == Fields(other);
}

}  // namespace nsFTP
