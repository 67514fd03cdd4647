// The scene and resource helpers the chart editor and the text vote use.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chartcontrol/SceneHelpers.h"
#include "base/win/UniqueHandle.h"
#include "hostclient/HostScene.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/UserPrompts.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

class SceneHelpersTest : public SimHostFixture {
protected:
    std::unique_ptr<CHostScene> HostScene()
    {
        IDispatch* dispatch = &scene;
        dispatch->AddRef();
        auto wrapper = std::make_unique<CHostScene>();
        wrapper->Attach(dispatch);
        return wrapper;
    }
};

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[256];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        fclose(file);
    }
    return bytes;
}

TEST(SceneHelpers, PercentagesRoundHalfUp)
{
    struct Case {
        double value;
        const wchar_t* text;
    };
    const Case cases[] = {{41.5, L"42 %"}, {41.49, L"41 %"}, {-0.7, L"0 %"}, {100, L"100 %"}, {1e300, L"2147483647 %"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.text, FormatPercent(c.value)) << c.value;
}

TEST(SceneHelpers, ATemporaryNameHasTheExtensionAndNoFileBehindIt)
{
    std::wstring first, second;
    ASSERT_TRUE(MakeTempFileName(first, L"lno"));
    ASSERT_TRUE(MakeTempFileName(second, L".lno"));
    for (const std::wstring& path : {first, second}) {
        const size_t name = path.find_last_of(L'\\') + 1;
        EXPECT_EQ(L"MVT", path.substr(name, 3)) << path;
        EXPECT_EQ(L".lno", path.substr(path.size() - 4)) << path;
        EXPECT_EQ(std::wstring::npos, path.find(L".tmp")) << path;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << path;
    }
    EXPECT_NE(first, second);
}

TEST(SceneHelpers, ABinaryResourceIsWrittenWholeOrAMessageSaysWhyNot)
{
    std::vector<std::wstring> messages;
    ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    std::wstring path;
    ASSERT_TRUE(MakeTempFileName(path, L"lno"));
    EXPECT_TRUE(ExtractBinaryResource(path, 300));
    EXPECT_EQ("scene template", FileBytes(path).substr(0, 14));
    DeleteFileW(path.c_str());
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(ExtractBinaryResource(path, 399));
    const std::wstring folder = L"Z:\\no\\such\\folder\\x.lno";
    EXPECT_FALSE(ExtractBinaryResource(folder, 300));
    EXPECT_EQ((std::vector<std::wstring>{L"Error extracting " + path, L"Cannot create file " + folder}), messages);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

TEST(SceneHelpers, MagentaPixelsTakeTheGivenColour)
{
    HIMAGELIST loaded = nullptr;
    ASSERT_TRUE(LoadImageListFromBitmap(301, loaded, 2, 2, 4, RGB(1, 2, 3)));
    const UniqueImageList list(loaded);
    EXPECT_EQ(2, ImageList_GetImageCount(list.Get()));
    // The two cells drawn side by side give the picture back.
    const WindowDC screen(nullptr);
    const UniqueMemoryDC dc(CreateCompatibleDC(screen.Get()));
    const UniqueBitmap canvas(CreateCompatibleBitmap(screen.Get(), 4, 2));
    const SelectedObject drawing(dc.Get(), canvas.Get());
    ImageList_Draw(list.Get(), 0, dc.Get(), 0, 0, ILD_NORMAL);
    ImageList_Draw(list.Get(), 1, dc.Get(), 2, 0, ILD_NORMAL);
    // Top row: white, (255, 0, 254) | magenta, blue; bottom row: magenta, black | magenta, (10, 20, 30).
    const COLORREF expected[2][4] = {{RGB(255, 255, 255), RGB(255, 0, 254), RGB(1, 2, 3), RGB(0, 0, 255)},
                                     {RGB(1, 2, 3), RGB(0, 0, 0), RGB(1, 2, 3), RGB(10, 20, 30)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(expected[y][x], GetPixel(dc.Get(), x, y)) << x << "," << y;
    HIMAGELIST none = nullptr;
    EXPECT_FALSE(LoadImageListFromBitmap(399, none, 2, 2, 4, RGB(1, 2, 3)));
}

TEST_F(SceneHelpersTest, AKeyframeRangeMovesTheExtremesOfOneChannel)
{
    CSimNode& bar = host.AddNode(scene, L"Bar", SimNodeObject);
    CSimKeyFrames& keys = *bar.TransformOf(scene.activeTransition).keyFrames;
    keys.Add(0, 7, 0.5, 1);
    keys.Add(10, 7, 2.0, 2);
    keys.Add(20, 7, 2.0, 3);   // the first of the equal largest is taken
    keys.Add(30, 7, 0.5, 4);   // the last of the equal smallest
    keys.Add(40, 6, 9.0, 0);   // another channel
    std::unique_ptr<CHostScene> s = HostScene();
    SetKeyframeRange(*s, L"Bar", 0.2, 0.6, L"yscale");
    std::vector<std::wstring> seen;
    for (const CSimKeyFrame* k : keys.frames)
        seen.push_back(std::to_wstring(k->frame) + L":" + std::to_wstring(k->attribute) + L"=" +
                       std::to_wstring(k->value).substr(0, 4) + L"/" + std::to_wstring(k->interpolation));
    EXPECT_EQ((std::vector<std::wstring>{L"0:7=0.50/1", L"10:7=1.40/2", L"20:7=2.00/3", L"30:7=0.80/4", L"40:6=9.00/0"}),
              seen);

    host.ClearLog();
    SetKeyframeRange(*s, L"Bar", 0, 1, L"ZPos");       // no such channel name
    SetKeyframeRange(*s, L"Nobody", 0, 1, L"XPos");    // no such node
    EXPECT_EQ(0, host.CallCount(L"KeyFrames", L"Add"));
}

TEST_F(SceneHelpersTest, NodeTextGoesIntoTheTemplateAsItStands)
{
    CSimElement& title = host.AddTemplate(scene, L"Vote.title", L"old");
    std::unique_ptr<CHostScene> s = HostScene();
    SetNodeText(*s, L"Vote.title", L"R:255G:000B:000red");
    EXPECT_EQ(L"R:255G:000B:000red", title.text->text);
    SetNodeText(*s, L"Vote.missing", L"x");  // nothing to write into
}

} // namespace
