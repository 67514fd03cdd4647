// A host error that leaves a control's dispatch member reaches the caller as
// the host's own error; nothing else escapes either.
#include <gtest/gtest.h>

#include <new>

#include "base/com/ScopedExcepInfo.h"
#include "hostclient/HostDispatchError.h"
#include "hostclient/HostException.h"

namespace {

template <typename Throw>
HRESULT ResultOf(Throw raise, EXCEPINFO* info)
{
    try {
        raise();
    } catch (...) {
        return HostExceptionResult(info, L"Velmora.LEIFlet.Plotvane.1");
    }
    return S_OK;
}

TEST(HostDispatchError, AHostErrorKeepsItsDescriptionAndCode)
{
    ScopedExcepInfo info;
    EXPECT_EQ(DISP_E_EXCEPTION,
              ResultOf([] { throw CHostException(E_ACCESSDENIED, L"The scene is locked", L"Lyric", true); }, info.Get()));
    EXPECT_EQ(L"The scene is locked", info.Description());
    EXPECT_EQ(L"Velmora.LEIFlet.Plotvane.1", info.Source());
    EXPECT_EQ(E_ACCESSDENIED, info.Code());

    EXPECT_EQ(E_OUTOFMEMORY, ResultOf([] { throw std::bad_alloc(); }, nullptr));
    EXPECT_EQ(E_UNEXPECTED, ResultOf([] { throw 1; }, nullptr));
}

} // namespace
