#pragma once
// The most the client takes from a server. A reply is a few short lines and
// a listing is long but finite; a server that sends more is broken or
// hostile, and past these the operation fails instead of holding the host's
// thread and memory.

#include <cstddef>

namespace nsFTP {

// One reply, its lines together; a single line can be no longer.
constexpr size_t kMaxReplyBytes = 64 * 1024;
constexpr size_t kMaxReplyLines = 1000;
// One listing (LIST or NLST) as it comes over the data connection.
constexpr size_t kMaxListingBytes = 64 * 1024 * 1024;
constexpr size_t kMaxListingLines = 1000000;

}  // namespace nsFTP
