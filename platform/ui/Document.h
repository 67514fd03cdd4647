#pragma once
// A document and the views that show it. The document owns no view: each
// view is added by whoever made it and leaves the document when it goes
// (or the document lets go of its views when it goes first).
//
// Update hints are the document's own numbers; `object` is whatever that
// hint says it carries (most carry none).

#include <windows.h>

#include <vector>

class CView;

class CDocument {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument();

    void AddView(CView* view);
    void RemoveView(CView* view);
    // The view added first, or null.
    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    const std::vector<CView*>& Views() const { return m_views; }

    // Tells every view but `sender` (which made the change) through OnUpdate.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* object = nullptr);

private:
    std::vector<CView*> m_views;
};

class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    CDocument* GetDocument() const { return m_document; }

    // Makes the view's window as a child of `parent` with the identifier `id`.
    virtual bool CreateView(HWND parent, UINT id) = 0;
    virtual HWND GetViewWindow() const = 0;

    // Once the window exists and the view is in its document; by default an
    // update without a hint.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    virtual void OnUpdate(CView* sender, LPARAM hint, void* object);

private:
    friend class CDocument;
    CDocument* m_document = nullptr;
};
