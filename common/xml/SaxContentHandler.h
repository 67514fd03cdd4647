#pragma once
// Content handlers for the MSXML SAX2 reader: a do-nothing base and the
// handler that builds a CXmlNode tree from the reader's events.

#include <windows.h>
#include <msxml2.h>

#include <string_view>
#include <utility>
#include <vector>

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"

class CXmlNode;

// msxml2.h of mingw-w64 declares no __uuidof for the handler interface.
template <>
inline const IID& InterfaceIid<ISAXContentHandler>()
{
    return IID_ISAXContentHandler;
}

class SAXContentHandlerImpl : public ComObject<ISAXContentHandler> {
public:
    HRESULT WINAPI putDocumentLocator(ISAXLocator* locator) override;
    HRESULT WINAPI startDocument() override;
    HRESULT WINAPI endDocument() override;
    HRESULT WINAPI startPrefixMapping(const wchar_t* prefix, int prefixLength,
                                      const wchar_t* uri, int uriLength) override;
    HRESULT WINAPI endPrefixMapping(const wchar_t* prefix, int prefixLength) override;
    HRESULT WINAPI startElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                const wchar_t* localName, int localNameLength,
                                const wchar_t* qualifiedName, int qualifiedNameLength,
                                ISAXAttributes* attributes) override;
    HRESULT WINAPI endElement(const wchar_t* namespaceUri, int namespaceUriLength,
                              const wchar_t* localName, int localNameLength,
                              const wchar_t* qualifiedName, int qualifiedNameLength) override;
    HRESULT WINAPI characters(const wchar_t* chars, int length) override;
    HRESULT WINAPI ignorableWhitespace(const wchar_t* chars, int length) override;
    HRESULT WINAPI processingInstruction(const wchar_t* target, int targetLength,
                                         const wchar_t* data, int dataLength) override;
    HRESULT WINAPI skippedEntity(const wchar_t* name, int nameLength) override;
};

// No document of this system nests more than a handful of levels; a deeper
// one is refused while it is read, so no tree past this depth is ever built
// from a text.
constexpr int kMaxXmlDepth = 256;

// What the handler hands the reader for an element past kMaxXmlDepth.
constexpr HRESULT kXmlNestedTooDeep = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0256);

class XMLPIEContentHandler : public SAXContentHandlerImpl {
public:
    // Null when out of memory.
    static RefPtr<XMLPIEContentHandler> Create();

    // Elements read are built under `root` (borrowed, not referenced).
    void SetRoot(CXmlNode* root)
    {
        m_current = root;
        m_depth = 0;
    }

    HRESULT WINAPI startDocument() override;
    HRESULT WINAPI endDocument() override;
    HRESULT WINAPI startElement(const wchar_t* namespaceUri, int namespaceUriLength,
                                const wchar_t* localName, int localNameLength,
                                const wchar_t* qualifiedName, int qualifiedNameLength,
                                ISAXAttributes* attributes) override;
    HRESULT WINAPI endElement(const wchar_t* namespaceUri, int namespaceUriLength,
                              const wchar_t* localName, int localNameLength,
                              const wchar_t* qualifiedName, int qualifiedNameLength) override;
    HRESULT WINAPI characters(const wchar_t* chars, int length) override;

private:
    XMLPIEContentHandler() = default;
    CXmlNode* m_current = nullptr;
    int m_depth = 0;   // elements open below the root
    // One element's attributes (name, value) as the reader lends them, kept
    // to save an allocation per element.
    std::vector<std::pair<std::wstring_view, std::wstring_view>> m_attributes;
};
