#include "textvote/socket/HttpBlockingSocket.h"

#include <gtest/gtest.h>

#include <string>

#include "textvote/socket/test/SocketTestSupport.h"

using nsSocket::CHttpBlockingSocket;

namespace {

using ConnectedHttpSocket = ConnectedTo<CHttpBlockingSocket>;

}  // namespace

TEST_F(ConnectedHttpSocket, ReadsHeaderLinesThenTheBody)
{
    // The first line comes in two pieces; the second is longer than the room.
    ASSERT_EQ(9, peer.SendAll("HTTP/1.0 ", 9, kPeerWait));
    Sleep(100);
    const std::string rest = "200 OK\r\nX-Long: 0123456789\r\n\r\nbody bytes";
    ASSERT_EQ(static_cast<int>(rest.size()), peer.SendAll(rest.data(), static_cast<int>(rest.size()), kPeerWait));

    char line[12];
    EXPECT_EQ(11, socket.ReadHeaderLine(line, sizeof line, 2));
    EXPECT_STREQ("HTTP/1.0 20", line) << "cut to the room, the rest of the line is dropped";
    char wide[64];
    EXPECT_EQ(20, socket.ReadHeaderLine(wide, sizeof wide, 2));
    EXPECT_STREQ("X-Long: 0123456789\r\n", wide);
    EXPECT_EQ(2, socket.ReadHeaderLine(wide, sizeof wide, 2));
    EXPECT_STREQ("\r\n", wide);

    peer.Close();
    char body[64] = {};
    EXPECT_EQ(10, socket.ReadResponse(body, sizeof body - 1, 2));
    EXPECT_STREQ("body bytes", body);
}

TEST_F(ConnectedHttpSocket, ALineThatNeverEndsFails)
{
    const std::string endless(CHttpBlockingSocket::kReadAhead + 10, 'x');
    ASSERT_EQ(static_cast<int>(endless.size()),
              peer.SendAll(endless.data(), static_cast<int>(endless.size()), kPeerWait));
    char line[32];
    try {
        socket.ReadHeaderLine(line, sizeof line, 2);
        ADD_FAILURE() << "a line longer than the read-ahead must fail";
    } catch (const nsSocket::CBlockingSocketException& e) {
        EXPECT_EQ(L"ReadHeaderLine", e.Operation());
    }
}

TEST_F(ConnectedHttpSocket, ResponseStopsAtTheLengthAndKeepsTheRest)
{
    ASSERT_EQ(14, peer.SendAll("A: 1\r\nabcdefgh", 14, kPeerWait));
    char line[16];
    ASSERT_EQ(6, socket.ReadHeaderLine(line, sizeof line, 2));
    char body[4] = {};
    EXPECT_EQ(3, socket.ReadResponse(body, 3, 2));
    EXPECT_STREQ("abc", body);
    EXPECT_EQ(3, socket.ReadResponse(body, 3, 2));
    EXPECT_STREQ("def", body);
}
