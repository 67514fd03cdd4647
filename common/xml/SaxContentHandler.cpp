#include "common/xml/SaxContentHandler.h"

#include <new>

#include "base/com/ComBoundary.h"
#include "common/xml/XmlNode.h"

HRESULT WINAPI SAXContentHandlerImpl::putDocumentLocator(ISAXLocator*) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::startDocument() { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::endDocument() { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::startPrefixMapping(const wchar_t*, int, const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::endPrefixMapping(const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::startElement(const wchar_t*, int, const wchar_t*, int,
                                                   const wchar_t*, int, ISAXAttributes*) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::endElement(const wchar_t*, int, const wchar_t*, int,
                                                 const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::characters(const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::ignorableWhitespace(const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::processingInstruction(const wchar_t*, int, const wchar_t*, int) { return S_OK; }
HRESULT WINAPI SAXContentHandlerImpl::skippedEntity(const wchar_t*, int) { return S_OK; }

RefPtr<XMLPIEContentHandler> XMLPIEContentHandler::Create()
{
    return RefPtr<XMLPIEContentHandler>::Adopt(new (std::nothrow) XMLPIEContentHandler());
}

HRESULT WINAPI XMLPIEContentHandler::startDocument() { return S_OK; }
HRESULT WINAPI XMLPIEContentHandler::endDocument() { return S_OK; }

HRESULT WINAPI XMLPIEContentHandler::startElement(const wchar_t*, int, const wchar_t* localName, int localNameLength,
                                                  const wchar_t*, int, ISAXAttributes* attributes)
{
    if (!m_current)
        return S_OK;
    if (m_depth >= kMaxXmlDepth)
        return kXmlNestedTooDeep;  // the reader stops: nothing is built past the bound
    return ComBoundary([&]() -> HRESULT {
        CXmlNode* node = new CXmlNode();
        node->SetNameCounted(localName, localNameLength);
        node->SetParent(m_current);
        m_current->AddChild(node);  // the creation reference becomes the parent's
        m_current = node;
        ++m_depth;
        if (!attributes)
            return S_OK;

        int count = 0;
        HRESULT hr = attributes->getLength(&count);
        if (FAILED(hr))
            return hr;
        for (int i = 0; i < count; ++i) {
            const wchar_t* name = nullptr;
            int nameLength = 0;
            hr = attributes->getQName(i, &name, &nameLength);
            if (FAILED(hr))
                return hr;
            const wchar_t* value = nullptr;
            int valueLength = 0;
            hr = attributes->getValue(i, &value, &valueLength);
            if (FAILED(hr))
                return hr;
            m_current->SetAttributeCounted(name, nameLength, value, valueLength);
        }
        return S_OK;
    });
}

HRESULT WINAPI XMLPIEContentHandler::endElement(const wchar_t*, int, const wchar_t*, int, const wchar_t*, int)
{
    if (m_current && m_depth > 0) {
        m_current->TrimText();
        m_current = m_current->GetParent();
        --m_depth;
    }
    return S_OK;
}

HRESULT WINAPI XMLPIEContentHandler::characters(const wchar_t* chars, int length)
{
    return ComBoundary([&] {
        if (m_current)
            m_current->AppendText(chars, length);
        return S_OK;
    });
}
