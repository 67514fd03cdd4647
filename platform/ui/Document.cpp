#include "platform/ui/Document.h"

#include <algorithm>

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_document = nullptr;
}

void CDocument::AddView(CView* view)
{
    if (!view || view->m_document == this)
        return;
    if (view->m_document)
        view->m_document->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
}

void CDocument::RemoveView(CView* view)
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_document = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* object)
{
    // A view may leave, or make another leave, while it is told.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, object);
}

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

void CView::OnUpdate(CView*, LPARAM, void*)
{
}
