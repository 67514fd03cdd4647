#include "motion/codec/DeviceLinks.h"
#include "motion/codec/test/DeviceSessionTestSupport.h"

#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// The runner closes the set from its own thread while the script's thread
// may be inside a device call, and may never call again.
TEST(DeviceLinksTest, ACloseThatMayNotWaitIsDoneByTheCallInProgressAndRefusesLaterCalls)
{
    DeviceSession device;
    ASSERT_TRUE(DeviceSession::FromEnvironment(device)) << "run through testing/device/run-with-device.sh";
    const LONG portsBefore = CSerial::OpenPorts();
    const RefPtr<DeviceLinks> links = RefPtr<DeviceLinks>::Adopt(new DeviceLinks(nullptr));
    const UniqueKernelHandle inCall(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const UniqueKernelHandle endCall(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    int opened = -1;
    std::thread script([&] {
        links->Use(1, [&](CMCCGISerial& link) {
            opened = link.OpenPort(device.port, 9600);
            SetEvent(inCall.Get());
            WaitForSingleObject(endCall.Get(), 10000);
        });
    });
    ASSERT_EQ(WaitForSingleObject(inCall.Get(), 10000), WAIT_OBJECT_0);
    ASSERT_EQ(opened, CMCCGISerial::kOpened);
    EXPECT_FALSE(links->CloseWithoutWaiting()) << "closed under the call in progress";
    EXPECT_EQ(CSerial::OpenPorts(), portsBefore + 1);
    SetEvent(endCall.Get());
    script.join();
    EXPECT_EQ(CSerial::OpenPorts(), portsBefore) << "the call in progress left the port open";

    bool called = false;
    EXPECT_FALSE(links->Use(1, [&](CMCCGISerial&) { called = true; }));
    EXPECT_FALSE(called) << "a call ran after the close";
    EXPECT_TRUE(links->CloseWithoutWaiting());
}

}  // namespace
