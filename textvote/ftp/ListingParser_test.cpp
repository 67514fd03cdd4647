#include "textvote/ftp/ListingParser.h"

#include <gtest/gtest.h>

using nsFTP::CFTPFileStatus;
using nsFTP::CListingParser;
using MTime = CFTPFileStatus::MTimeType;

namespace {

// 2024-03-01 00:00 UTC: dates without a year are guessed against it.
const long long kNow = 1709251200;

struct Expected {
    const wchar_t* line;
    bool accepted;
    const wchar_t* name;
    bool cwd;
    bool retr;
    long long size;
    MTime mtimeType;
    long long mtime;
};

void Check(const Expected& e)
{
    CListingParser parser(kNow);
    CFTPFileStatus status;
    SCOPED_TRACE(testing::PrintToString(e.line));
    ASSERT_EQ(e.accepted, parser.Parse(status, e.line));
    if (!e.accepted) {
        EXPECT_EQ(CFTPFileStatus(), status) << "a rejected line leaves a reset status";
        return;
    }
    EXPECT_EQ(e.name, status.name);
    EXPECT_EQ(e.cwd, status.tryCWD);
    EXPECT_EQ(e.retr, status.tryRETR);
    EXPECT_EQ(e.size, status.size);
    EXPECT_EQ(e.mtimeType, status.mtimeType);
    if (e.mtimeType != MTime::Unknown) {
        EXPECT_EQ(e.mtime, status.mtime);
    }
}

Expected Rejected(const wchar_t* line)
{
    return {line, false, L"", false, false, -1, MTime::Unknown, 0};
}

}  // namespace

TEST(ListingParser, DateCountsDaysFrom1970)
{
    EXPECT_EQ(0, CListingParser::Date(1970, 0, 1));
    EXPECT_EQ(-86400, CListingParser::Date(1969, 11, 31));
    EXPECT_EQ(951782400, CListingParser::Date(2000, 1, 29)) << "a leap day";
    EXPECT_EQ(951868800, CListingParser::Date(2000, 2, 1));
    EXPECT_EQ(4107542400LL, CListingParser::Date(2100, 2, 1)) << "2100 is no leap year";
    EXPECT_EQ(-2208988800LL, CListingParser::Date(1900, 0, 1));
}

TEST(ListingParser, Unix)
{
    const Expected cases[] = {
        {L"-rw-r--r--   1 owner    group        1234 Jan  5 12:30 my file", true, L"my file", false, true, 1234,
         MTime::RemoteMinute, 1704457800},
        {L"-rw-r--r--   1 owner    group        1234 Jan  5  2023 my file", true, L"my file", false, true, 1234,
         MTime::RemoteDay, 1672876800},
        // Seen in March, a December date without a year is last year's.
        {L"-rw-r--r-- 1 o g 7 Dec 20 10:00 old", true, L"old", false, true, 7, MTime::RemoteMinute, 1703066400},
        {L"drwxr-xr-x 2 o g 4096 Jan 5 2023 docs", true, L"docs", true, false, 4096, MTime::RemoteDay, 1672876800},
        {L"lrwxrwxrwx 1 o g 7 Jan 5 2023 x -> y", true, L"x", true, true, 7, MTime::RemoteDay, 1672876800},
        {L"-rw-r--r-- 1 owner 1234 Jan 5 2023 nogroup", true, L"nogroup", false, true, 1234, MTime::RemoteDay,
         1672876800},
        {L"drwxrwxr-x               folder        2 May 10  1996 network", true, L"network", true, false, 2,
         MTime::RemoteDay, 831686400},
        {L"d [R----F--] supervisor            512       Jan 16 18:53    login", true, L"login", true, false, 512,
         MTime::RemoteMinute, 1705431180},
        {L"brw-r--r-- 1 o g 8, 0 Jan 5 2023 sda", true, L"sda", false, false, 0, MTime::RemoteDay, 1672876800},
        Rejected(L"-rw-r--r-- 1 o g 1234 Jan 5 12:30"),  // no name
        Rejected(L"-rw-r--r-- 1 o g 1234 Jan 5 123 x"),   // neither a time nor a year
        Rejected(L"-"),
    };
    for (const Expected& e : cases)
        Check(e);
}

TEST(ListingParser, Vms)
{
    const Expected cases[] = {
        {L"ABC.DIR;1  1  8-SEP-1996 16:09 [ANONYMOUS] (RWE,RWE,,)", true, L"ABC", true, false, -1,
         MTime::RemoteMinute, 842198940},
        {L"A.DIR;1 1 8-SEP-1996 16:09 [X]", true, L"A", true, false, -1, MTime::RemoteMinute, 842198940},
        {L".DIR;1 1 8-SEP-1996 16:09 [X]", true, L".DIR", false, true, -1, MTime::RemoteMinute, 842198940},
        {L"NOTES.TXT;3 4/8 8-sep-1996 16:09:33 [X]", true, L"NOTES.TXT", false, true, -1, MTime::RemoteMinute,
         842198940},
        Rejected(L"X.TXT;2 3 8-FOO-1996 16:09 [X]"),
        Rejected(L"X.TXT;2 3 8-SEP-1996"),
        Rejected(L"X.TXT;2"),
    };
    for (const Expected& e : cases)
        Check(e);
}

TEST(ListingParser, MsDos)
{
    const Expected cases[] = {
        {L"04-27-00  09:09PM       <DIR>          x", true, L"x", true, false, -1, MTime::RemoteMinute, 956869740},
        {L"04-27-00  12:05AM                 1234 file one.txt", true, L"file one.txt", false, true, 1234,
         MTime::RemoteMinute, 956793900},
        {L"04-27-99  12:05PM  10 a", true, L"a", false, true, 10, MTime::RemoteMinute, 925214700},
        {L"04-27-2001  01:00AM  10 a", true, L"a", false, true, 10, MTime::RemoteMinute, 988333200},
        Rejected(L"04-27-00  21:09       <DIR>          x"),  // a 24-hour time
        Rejected(L"04-27-00  09:09PM"),
        Rejected(L"13-27-00  09:09PM  10 a"),
        Rejected(L"04-27"),
    };
    for (const Expected& e : cases)
        Check(e);
}

TEST(ListingParser, Eplf)
{
    const Expected cases[] = {
        {L"+/,s1024,\tdocs", true, L"docs", true, false, 1024, MTime::Unknown, 0},
        {L"+r,m100,i8388621.48594,\tfile name", true, L"file name", false, true, -1, MTime::Exact, 100},
        {L"+sxyz,\tf", true, L"f", false, false, -1, MTime::Unknown, 0},
        Rejected(L"+r,s1024"),  // no tab, no name
    };
    for (const Expected& e : cases)
        Check(e);

    CListingParser parser(kNow);
    CFTPFileStatus status;
    ASSERT_TRUE(parser.Parse(status, L"+i8388621.48594,s5,\tf"));
    EXPECT_EQ(CFTPFileStatus::IdType::Full, status.idType);
    EXPECT_EQ(L"8388621.48594", status.id);
    EXPECT_EQ(CFTPFileStatus::SizeType::Binary, status.sizeType);
}

TEST(ListingParser, OtherLinesAreRejected)
{
    for (const wchar_t* line : {L"", L"x", L"total 12", L"226 Transfer complete"})
        Check(Rejected(line));
}

TEST(ListingParser, EveryFormatGivesTheSameEntries)
{
    // A folder "docs" and a 1234-byte file "a.bin", as each kind of server lists them.
    struct Listing { const char* format; const wchar_t* folder; const wchar_t* file; bool hasSize; };
    const Listing listings[] = {
        {"UNIX", L"drwxr-xr-x 2 o g 512 Jan 5 2023 docs", L"-rw-r--r-- 1 o g 1234 Jan 5 2023 a.bin", true},
        {"MS-DOS", L"01-05-23  12:00AM  <DIR>  docs", L"01-05-23  12:00AM  1234 a.bin", true},
        {"VMS", L"DOCS.DIR;1 1 5-JAN-2023 00:00 [X]", L"a.bin;1 3 5-JAN-2023 00:00 [X]", false},
        {"EPLF", L"+/,m1672876800,\tdocs", L"+r,s1234,m1672876800,\ta.bin", true},
    };
    for (const Listing& listing : listings) {
        SCOPED_TRACE(listing.format);
        CListingParser parser(kNow);
        CFTPFileStatus folder;
        CFTPFileStatus file;
        ASSERT_TRUE(parser.Parse(folder, listing.folder));
        ASSERT_TRUE(parser.Parse(file, listing.file));
        EXPECT_TRUE(_wcsicmp(L"docs", folder.name.c_str()) == 0) << testing::PrintToString(folder.name);
        EXPECT_TRUE(folder.tryCWD);
        EXPECT_FALSE(folder.tryRETR);
        EXPECT_EQ(L"a.bin", file.name);
        EXPECT_TRUE(file.tryRETR);
        EXPECT_FALSE(file.tryCWD);
        EXPECT_EQ(listing.hasSize ? 1234 : -1, file.size);
        EXPECT_EQ(1672876800, file.mtime);
        EXPECT_EQ(1672876800, folder.mtime);
    }
}
