// A document with its views, one of them a form view in a frame.
#include "platform/ui/Document.h"
#include "platform/ui/FormView.h"
#include "platform/ui/FrameWnd.h"

#include "base/win/UniqueHandle.h"
#include "platform/ui/MessageLoop.h"
#include "TestDialogIds.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct Update {
    CView* sender;
    LPARAM hint;
    void* object;
    bool operator==(const Update& other) const
    {
        return sender == other.sender && hint == other.hint && object == other.object;
    }
};

class RecordingView : public CView {
public:
    bool CreateView(HWND, UINT) override { return false; }
    HWND GetViewWindow() const override { return nullptr; }
    void OnUpdate(CView* sender, LPARAM hint, void* object) override
    {
        updates.push_back({sender, hint, object});
        if (onUpdate) onUpdate();
    }
    std::vector<Update> updates;
    std::function<void()> onUpdate;
};

class RecordingForm : public CFormView {
public:
    RecordingForm() : CFormView(IDD_TEST_FORM) {}
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CFormView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, void* object) override { updates.push_back({sender, hint, object}); }
    int initialUpdates = 0;
    std::vector<Update> updates;
};

TEST(Document, UpdatesReachEveryViewButTheSenderAndOnlyViewsStillInTheDocument)
{
    CDocument document;
    RecordingView sender, first, second;
    for (CView* view : {static_cast<CView*>(&sender), static_cast<CView*>(&first), static_cast<CView*>(&second)})
        document.AddView(view);
    document.AddView(&first);  // once only
    EXPECT_EQ(&sender, document.GetFirstView());
    EXPECT_EQ(3u, document.Views().size());

    int object = 0;
    document.UpdateAllViews(&sender, 100, &object);
    EXPECT_TRUE(sender.updates.empty());
    EXPECT_EQ((std::vector<Update>{{&sender, 100, &object}}), first.updates);
    EXPECT_EQ((std::vector<Update>{{&sender, 100, &object}}), second.updates);

    // A view that takes another out of the document while it is told.
    first.onUpdate = [&] { document.RemoveView(&second); };
    document.UpdateAllViews(nullptr, 101);
    EXPECT_EQ(2u, first.updates.size());
    EXPECT_EQ(1u, second.updates.size());
    EXPECT_EQ(nullptr, second.GetDocument());
}

TEST(Document, ViewsAndTheirDocumentMayGoInEitherOrder)
{
    RecordingView outlives;
    {
        CDocument document;
        document.AddView(&outlives);
        {
            RecordingView goesFirst;
            document.AddView(&goesFirst);
            EXPECT_EQ(&document, goesFirst.GetDocument());
        }
        EXPECT_EQ(1u, document.Views().size());
    }
    EXPECT_EQ(nullptr, outlives.GetDocument());
}

TEST(FrameWnd, MakesItsViewFromTheContextAsItsFirstPaneFillingItsClientArea)
{
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr));
    CDocument document;
    RecordingForm* form = nullptr;
    CCreateContext context;
    context.document = &document;
    context.newView = [&form]() -> std::unique_ptr<CView> {
        auto view = std::make_unique<RecordingForm>();
        form = view.get();
        return view;
    };
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(L"Frame", WS_VISIBLE, RECT{2, 48, 302, 248}, parent.Get(), context));
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(form, frame.GetActiveView());
    EXPECT_EQ(form, document.GetFirstView());
    const HWND view = form->GetSafeHwnd();
    EXPECT_EQ(frame.GetSafeHwnd(), ::GetParent(view));
    EXPECT_EQ(static_cast<int>(kFirstPaneId), ::GetDlgCtrlID(view));

    frame.InitialUpdateFrame(true);
    EXPECT_EQ(1, form->initialUpdates);
    EXPECT_EQ((std::vector<Update>{{nullptr, 0, nullptr}}), form->updates) << "the first update has no hint";
    EXPECT_TRUE(::IsWindowVisible(view));

    ::MoveWindow(frame.GetSafeHwnd(), 2, 48, 250, 120, TRUE);
    RECT placed{};
    ::GetWindowRect(view, &placed);
    EXPECT_EQ(250, placed.right - placed.left);
    EXPECT_EQ(120, placed.bottom - placed.top);

    document.UpdateAllViews(nullptr, 100);
    EXPECT_EQ(2u, form->updates.size());

    // Enter and Escape in a form view's control leave the view as it is.
    const HWND edit = ::GetDlgItem(view, IDC_TEST_NUMBER);
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)})
        ::PostMessageW(edit, WM_KEYDOWN, key, 0);
    ::PostMessageW(parent.Get(), WM_NULL, 0, 0);
    PumpWaitingMessages();
    EXPECT_TRUE(::IsWindowVisible(view));
}

TEST(FrameWnd, AContextWithoutAViewMakesNoFrame)
{
    UniqueWindow parent(::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr));
    CFrameWnd frame;
    EXPECT_FALSE(frame.Create(L"Frame", WS_VISIBLE, RECT{0, 0, 50, 50}, parent.Get(), CCreateContext{}));
    EXPECT_EQ(nullptr, frame.GetSafeHwnd());
}

}  // namespace
