#pragma once
// CChartPage: a page of the chart editor, a modeless child dialog that
// follows the chart document. The editor's pages save into the document on
// every change of a control; Enter and Escape never end them.

#include "platform/ui/Dialog.h"
#include "platform/ui/Document.h"

class CChartPage : public CDialog {
public:
    CChartPage(UINT templateId, HWND parent) : CDialog(templateId, parent) { KeepOpenOnEnterAndEscape(); }

    // The document's update (the hints of QuillonDoc.h).
    virtual void OnChartUpdate(CView* sender, LPARAM hint, void* object) = 0;
};

// Tells the page of the update when it still has its window.
void ForwardChartUpdate(CChartPage* page, CView* sender, LPARAM hint, void* object);
