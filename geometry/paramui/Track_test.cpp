// The rows' slots: what each does in this plug-in, where no row animates,
// and the rows nothing in the panel makes (the drop row, the scaled slider).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "geometry/paramui/CheckBoxTrack.h"
#include "geometry/paramui/GroupTrack.h"
#include "geometry/paramui/ParamListBox.h"
#include "geometry/paramui/PopupTrack.h"
#include "geometry/paramui/PushButtonTrack.h"
#include "geometry/paramui/SliderTrack.h"
#include "geometry/paramui/TrackMessages.h"

namespace {

// A stream that fails every call and counts them.
class CCountingStream : public IStream {
public:
    int calls = 0;

    STDMETHODIMP QueryInterface(REFIID, void** object) override { return Fail(object); }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(void*, ULONG, ULONG*) override { return Fail(); }
    STDMETHODIMP Write(const void*, ULONG, ULONG*) override { return Fail(); }
    STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return Fail(); }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return Fail(); }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return Fail(); }
    STDMETHODIMP Commit(DWORD) override { return Fail(); }
    STDMETHODIMP Revert() override { return Fail(); }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return Fail(); }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return Fail(); }
    STDMETHODIMP Stat(STATSTG*, DWORD) override { return Fail(); }
    STDMETHODIMP Clone(IStream**) override { return Fail(); }

private:
    HRESULT Fail(void** object = nullptr)
    {
        ++calls;
        if (object)
            *object = nullptr;
        return E_FAIL;
    }
};

// A memory picture of one row entry, filled with a colour no row paints.
class CRowPicture {
public:
    static constexpr COLORREF kUnpainted = RGB(1, 2, 3);
    static constexpr RECT kRow{0, 1, 420, 41};

    CRowPicture() : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kRow.right, -kRow.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.Reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = SelectObject(m_dc.Get(), m_bitmap.Get());
        Clear();
    }
    ~CRowPicture() { SelectObject(m_dc.Get(), m_old); }
    CRowPicture(const CRowPicture&) = delete;
    CRowPicture& operator=(const CRowPicture&) = delete;

    HDC Get() const { return m_dc.Get(); }
    HFONT Font() const { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
    void Clear()
    {
        const RECT all{0, 0, kRow.right, kRow.bottom};
        HBRUSH brush = CreateSolidBrush(kUnpainted);
        FillRect(m_dc.Get(), &all, brush);
        DeleteObject(brush);
    }
    int PaintedPixels() const
    {
        int painted = 0;
        for (int y = 0; y < kRow.bottom; ++y)
            for (int x = 0; x < kRow.right; ++x)
                painted += GetPixel(m_dc.Get(), x, y) != kUnpainted ? 1 : 0;
        return painted;
    }
    COLORREF At(int x, int y) const { return GetPixel(m_dc.Get(), x, y); }
    // The whole row as the list box paints it.
    void Paint(CAETrack& row)
    {
        row.DrawBackground(Get(), kRow);
        row.DrawControls(Font(), Get(), kRow);
        row.DrawLabel(Font(), Get(), kRow);
        row.DrawKeys(Get(), kRow, row.IsSelected());
    }

private:
    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

TEST(Track, EveryRowIsWithoutKeysAndTakesItsValuePointer)
{
    CWnd noListBox;
    int intValue = 1, otherInt = 0;
    double doubleValue = 0.5;
    const struct {
        const char* what;
        std::unique_ptr<CAETrack> row;
        int kind;
        void* value;
        bool animatedWithFlags0;
    } rows[] = {
        {"group", std::make_unique<CAEGroupTrack>(noListBox, L"G"), kTrackGroup, nullptr, false},
        {"main", std::make_unique<CAEMainTrack>(noListBox, L"M"), kTrackMain, nullptr, false},
        {"drop", std::make_unique<CAEDropTrack>(noListBox, L"D"), kTrackDrop, nullptr, false},
        {"popup", std::make_unique<CAEPopupTrack>(noListBox, L"P", &intValue, L"a|b", 1, 0), kTrackPopup, &intValue,
         true},
        {"double slider", std::make_unique<CAESliderTrack>(noListBox, L"S", &doubleValue, 0.0, 1.0, 2, 2, 0),
         kTrackSlider, &doubleValue, true},
        {"integer slider", std::make_unique<CAESliderTrack>(noListBox, L"I", &intValue, 1, 200, 3, 0), kTrackSlider,
         &intValue, true},
        {"scaled slider", std::make_unique<CAESliderTrack>(noListBox, L"C", &intValue, 0, 500, 100.0, 2, 4, 0),
         kTrackSlider, &intValue, true},
        {"check box", std::make_unique<CAECheckBoxTrack>(noListBox, L"B", &intValue, 5, 0), kTrackCheckBox,
         &intValue, true},
        {"push button", std::make_unique<CAEPushButtonTrack>(noListBox, L"", L"Shape", 6, 0), kTrackPushButton,
         nullptr, false},
    };
    CRowPicture picture;
    CCountingStream stream;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        CAETrack& row = *r.row;
        EXPECT_EQ(row.Kind(), r.kind);
        EXPECT_EQ(row.IsAnimated(), r.animatedWithFlags0);
        EXPECT_EQ(row.GetValuePtr(), r.value);

        picture.Clear();
        for (const bool selected : {false, true}) {
            row.SetSelected(selected);
            EXPECT_EQ(row.IsSelected(), selected);
            row.DrawKeys(picture.Get(), CRowPicture::kRow, selected);
        }
        EXPECT_EQ(picture.PaintedPixels(), 0) << "no key marks";
        EXPECT_EQ(picture.At(300, 30), CRowPicture::kUnpainted);

        for (const POINT point : {POINT{0, 0}, POINT{30, 8}, POINT{190, 8}, POINT{390, 30}}) {
            EXPECT_FALSE(row.OnMouseUp(point));
            EXPECT_FALSE(row.HitKeyStopwatch(point.x, point.y));
            EXPECT_FALSE(row.HitKeyNavigator(point.x, point.y));
            EXPECT_FALSE(row.HitKey(point));
        }
        EXPECT_FALSE(row.SaveKeys(&stream));
        EXPECT_FALSE(row.LoadKeys(&stream));
        EXPECT_EQ(stream.calls, 0) << "nothing written or read";
    }

    // Flags 2 switch animation off on every row.
    EXPECT_FALSE(CAECheckBoxTrack(noListBox, L"B", &intValue, 5, kTrackNoAnimation).IsAnimated());
    EXPECT_FALSE(CAEPopupTrack(noListBox, L"P", &intValue, L"a", 1, kTrackNoAnimation | 1).IsAnimated());
    EXPECT_TRUE(CAEPopupTrack(noListBox, L"P", &intValue, L"a", 1, 1 | 4).IsAnimated());

    // A new value pointer is the one the row edits.
    CAECheckBoxTrack box(noListBox, L"B", &intValue, 5, kTrackNoAnimation);
    box.SetValuePtr(&otherInt);
    EXPECT_EQ(box.GetValuePtr(), &otherInt);
    intValue = 1;
    EXPECT_TRUE(box.OnMouseDown({kColumn2 + 3, 8}));
    EXPECT_EQ(otherInt, 1);
    EXPECT_EQ(intValue, 1);
    box.SetValuePtr(nullptr);
    EXPECT_FALSE(box.OnMouseDown({kColumn2 + 3, 8})) << "no value, nothing to flip";
    picture.Paint(box);  // and an unchecked box to show
}

// Records which of its slots are called.
class CRecordingRow : public CAETrack {
public:
    CRecordingRow(CWnd& listBox, std::vector<std::string>& calls, bool hasKeys = false)
        : CAETrack(listBox, L"Recording", nullptr, kTrackNoAnimation, kTrackCheckBox, 9), m_calls(calls),
          m_hasKeys(hasKeys)
    {
    }

    void DrawBackground(HDC, const RECT&) override { m_calls.push_back("DrawBackground"); }
    void DrawLabel(HFONT, HDC, const RECT&) override { m_calls.push_back("DrawLabel"); }
    void DrawControls(HFONT, HDC, const RECT&) override { m_calls.push_back("DrawControls"); }
    void DrawKeys(HDC, const RECT&, bool) override { m_calls.push_back("DrawKeys"); }
    bool OnMouseDown(POINT) override
    {
        m_calls.push_back("OnMouseDown");
        Notify(UM_BEGINDRAG, kCrossCursor);
        return true;
    }
    bool OnMouseUp(POINT point) override
    {
        m_calls.push_back("OnMouseUp " + std::to_string(point.x) + "," + std::to_string(point.y));
        return false;
    }
    bool SaveKeys(IStream*) override { return Record("SaveKeys"); }
    bool LoadKeys(IStream*) override { return Record("LoadKeys"); }

private:
    bool Record(const char* what)
    {
        m_calls.push_back(std::string(what) + (m_hasKeys ? " (keys)" : ""));
        return m_hasKeys;
    }

    std::vector<std::string>& m_calls;
    bool m_hasKeys;
};

TEST(Track, GroupsPassKeyPersistenceToTheirHiddenRows)
{
    CWnd noListBox;
    std::vector<std::string> calls;
    CRecordingRow without(noListBox, calls), with(noListBox, calls, true);
    CCountingStream stream;
    for (const bool withKeys : {false, true}) {
        calls.clear();
        CAEGroupTrack group(noListBox, L"G");
        group.AddChild(&without);
        if (withKeys)
            group.AddChild(&with);
        EXPECT_EQ(group.SaveKeys(&stream), withKeys);
        EXPECT_EQ(group.LoadKeys(&stream), withKeys);
        const std::vector<std::string> expected =
            withKeys ? std::vector<std::string>{"SaveKeys", "SaveKeys (keys)", "LoadKeys", "LoadKeys (keys)"}
                     : std::vector<std::string>{"SaveKeys", "LoadKeys"};
        EXPECT_EQ(calls, expected);
    }
}

// A parent of this layer, so that the list box is measured.
class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, L"STATIC", L"panel", WS_POPUP | WS_VISIBLE, RECT{50, 50, 550, 350}, nullptr,
                                      0));
        ASSERT_TRUE(m_list.Create({0, 0, 480, 280}, m_parent.GetSafeHwnd(), 103));
    }

    CWnd m_parent;
    CParamListBox m_list;
};

TEST_F(ListBoxTest, PaintsEachRowsKeysLastAndGivesItTheButtonUp)
{
    std::vector<std::string> calls;
    m_list.InsertRow(0, m_list.Adopt(std::make_unique<CRecordingRow>(m_list, calls)));
    RedrawWindow(m_list.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(calls, (std::vector<std::string>{"DrawBackground", "DrawControls", "DrawLabel", "DrawKeys"}));

    calls.clear();
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(35, 9));
    m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(36, 9));
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "OnMouseDown");
    EXPECT_EQ(calls[1], "OnMouseUp 35,9") << "in list box coordinates";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "OnMouseUp 36,9"), 0) << "only the row that held the mouse";
}

TEST(Track, DropRowIsAGroupInBlackOnOrange)
{
    CWnd noListBox;
    CAEDropTrack drop(noListBox, L"Drop");
    CRowPicture picture;
    picture.Paint(drop);
    const RECT row = CRowPicture::kRow;
    EXPECT_EQ(picture.At(300, row.top + 14), kDropBackground);
    EXPECT_EQ(picture.At(row.left + kColumn0 + 4 + 4, row.top + 2 + 4), RGB(0, 0, 0)) << "the icon at the left edge";
    EXPECT_EQ(picture.At(row.left + kColumn1 + 1, row.top + 2 + 5), RGB(0, 0, 0)) << "the expand triangle";

    EXPECT_TRUE(drop.IsCollapsed());
    EXPECT_FALSE(drop.OnMouseDown({kColumn1 + 4, 6}));
    EXPECT_FALSE(drop.IsCollapsed()) << "the triangle opens it as any group";
}

TEST(Track, ScaledSliderShowsAndTakesTheNumberTheIntHoldsScaled)
{
    CWnd noListBox;
    int hundredths = 250;
    CAESliderTrack slider(noListBox, L"Height", &hundredths, 0, 500, 100.0, 2, 7, kTrackNoAnimation);
    EXPECT_EQ(slider.ValueType(), kSliderScaledInteger);
    EXPECT_EQ(slider.Scale(), 100.0);
    EXPECT_EQ(slider.ValueText(), L"2.50");
    const struct {
        double typed;
        int stored;
    } cases[] = {{1.237, 123}, {9.0, 500}, {-1.0, 0}, {4.999, 499}};
    for (const auto& c : cases) {
        slider.SetFromEditor(c.typed);
        EXPECT_EQ(hundredths, c.stored) << c.typed;
    }
    EXPECT_EQ(slider.ValueText(), L"4.99");

    int plain = 3;
    for (const double scale : {0.0, -2.0}) {
        CAESliderTrack unscaled(noListBox, L"Plain", &plain, 0, 10, scale, 0, 7, kTrackNoAnimation);
        EXPECT_EQ(unscaled.Scale(), 1.0) << scale;
        unscaled.SetFromEditor(7.6);
        EXPECT_EQ(plain, 7) << scale;
    }
    CAESliderTrack integer(noListBox, L"Int", &plain, 1, 200, 7, kTrackNoAnimation);
    EXPECT_EQ(integer.ValueType(), kSliderInteger);
    EXPECT_EQ(integer.Scale(), 1.0);
}

TEST(Track, TheFirstDragMoveCountsWhereverTheClickWas)
{
    CWnd noListBox;
    double value = 0.0;
    CAESliderTrack slider(noListBox, L"Offset", &value, 0.0, 1.0, 3, 7, kTrackNoAnimation);
    CRowPicture picture;
    EXPECT_TRUE(slider.OnMouseDown({kColumn1 + 4, 6}));  // the triangle: expanded
    picture.Paint(slider);
    // The bar: column 1 + 34 to column 3 - 20, 10 to 6 pixels above the bottom.
    const int left = kColumn1 + 34, right = kColumn3 - 20, width = right - left;
    const int barY = 33;  // the painted row ends at 41
    const int x = left + 100;
    EXPECT_TRUE(slider.OnMouseDown({x, barY}));
    EXPECT_DOUBLE_EQ(value, 100.0 / width);
    EXPECT_TRUE(slider.OnMouseMove({x, 0})) << "no drag position yet: the click's column is a move";
    EXPECT_DOUBLE_EQ(value, 100.0 / (width - 1));
    EXPECT_FALSE(slider.OnMouseMove({x, 5})) << "the same column again";
    EXPECT_TRUE(slider.OnMouseMove({right + 50, 0}));
    EXPECT_DOUBLE_EQ(value, 1.0);
}

// Records the hook and the messages the row sends.
class CHookedPopup : public CAEPopupTrack {
public:
    CHookedPopup(CWnd& listBox, int* value) : CAEPopupTrack(listBox, L"ID", value, L"1|2|(-|4", 130, kTrackNoAnimation)
    {
    }
    int menusAbout = 0;

    void OnBeforeMenu() override { ++menusAbout; }
};

class CMessageRecorder : public CWnd {
public:
    std::vector<UINT> messages;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg >= kFirstTrackMessage && msg <= kLastTrackMessage)
            messages.push_back(msg);
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

TEST(Track, PopupSetsAnOptionFromACommandQuietlyAndCallsItsHookBeforeTheMenu)
{
    CMessageRecorder listBox;
    ASSERT_TRUE(listBox.CreateEx(0, L"STATIC", L"list", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    int value = 1;
    CHookedPopup popup(listBox, &value);
    const struct {
        UINT command;
        bool chosen;
        int value;
    } cases[] = {{1002, true, 2}, {1003, false, 2}, {1004, true, 4}, {1005, false, 4}, {1000, false, 4}, {1001, true, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(popup.SetOptionFromCommand(c.command), c.chosen) << c.command;
        EXPECT_EQ(value, c.value) << c.command;
    }
    EXPECT_TRUE(listBox.messages.empty()) << "choosing without telling";
    popup.OnMenuCommand(1002);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(listBox.messages, (std::vector<UINT>{UM_SELECTROW, UM_VALUECHANGED}));

    // Without a list box window the menu cannot open, but the hook runs first.
    CWnd noListBox;
    CHookedPopup alone(noListBox, &value);
    CRowPicture picture;
    picture.Paint(alone);
    EXPECT_FALSE(alone.OnMouseDown({kColumn1 + 4, 6})) << "beside the box";
    EXPECT_EQ(alone.menusAbout, 0);
    EXPECT_FALSE(alone.OnMouseDown({kColumn2 + 5, 7}));
    EXPECT_EQ(alone.menusAbout, 1);
}

}  // namespace
