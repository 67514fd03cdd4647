#pragma once
// The chart document: the XML tree "Quillon" that each scene carries,
// compressed, in the custom property "Data" of its node "Global Light".
// Every user makes its own document, gives it the application, loads, works
// on the root and saves when it changed something; nothing is cached.

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "common/xml/XmlNode.h"
#include "platform/ui/Document.h"

class CHostScene;

// What the document tells its views.
enum QuillonDocumentHint : int {
    kHintLoaded = 100,
    kHintCleared = 101,
    kHintSaved = 102,
    kHintSaving = 103,  // views write their settings into the tree now
};

// Views get the hints through CView::OnUpdate, with no sender or object.
class CQuillonDoc : public CDocument {
public:
    CQuillonDoc() = default;
    CQuillonDoc(const CQuillonDoc&) = delete;
    CQuillonDoc& operator=(const CQuillonDoc&) = delete;

    // The host application; the document adds no reference.
    void SetApplication(IDispatch* application) { m_application = application; }
    IDispatch* GetApplication() const { return m_application; }

    // The root; an empty "Quillon" is made when there is none.
    CXmlNodePtr GetRoot();
    // True when the scene's "Data" held a byte array, even one that proved
    // unreadable (the root then stays as it was).
    bool LoadFromScene(CHostScene& scene);
    // Drops the root, loads from the active canvas's scene, tells the views.
    void LoadFromActiveScene();
    // Writes the root into the active canvas's scene; true when it was stored.
    bool SaveDocument();
    void Clear();

private:
    IDispatch* m_application = nullptr;
    CXmlNodePtr m_root;
};

// The stored form of a document text: its byte count (4 bytes, little-endian)
// and its zlib stream. False when zlib fails.
bool PackDocumentText(const std::wstring& text, std::vector<BYTE>& block);
// The text back from a stored block. False for a block that is too short,
// whose size field cannot be right or is over the cap, or that zlib refuses.
bool UnpackDocumentText(const BYTE* block, size_t size, std::wstring& text);
