#include "common/xml/SaxContentHandler.h"

#include <new>

#include "common/xml/XmlNode.h"

HRESULT WINAPI SAXContentHandlerImpl::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISAXContentHandler)) {
        *object = static_cast<ISAXContentHandler*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG WINAPI SAXContentHandlerImpl::AddRef()
{
    return ++m_refCount;
}

ULONG WINAPI SAXContentHandlerImpl::Release()
{
    if (--m_refCount == 0) {
        delete this;
        return 0;
    }
    return m_refCount;
}

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

XMLPIEContentHandler* XMLPIEContentHandler::Create()
{
    return new (std::nothrow) XMLPIEContentHandler();
}

HRESULT WINAPI XMLPIEContentHandler::startDocument() { return S_OK; }
HRESULT WINAPI XMLPIEContentHandler::endDocument() { return S_OK; }

HRESULT WINAPI XMLPIEContentHandler::startElement(const wchar_t*, int, const wchar_t* localName, int localNameLength,
                                                  const wchar_t*, int, ISAXAttributes* attributes)
{
    // The reader's callbacks must never see a C++ exception.
    if (!m_current)
        return S_OK;
    // The reader's callbacks must never see a C++ exception.
    try {
        CXmlNode* node = new CXmlNode();
        node->SetNameCounted(localName, localNameLength);
        node->SetParent(m_current);
        m_current->AddChild(node);  // the creation reference becomes the parent's
        m_current = node;
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
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI XMLPIEContentHandler::endElement(const wchar_t*, int, const wchar_t*, int, const wchar_t*, int)
{
    if (m_current) {
        m_current->TrimText();
        m_current = m_current->GetParent();
    }
    return S_OK;
}

HRESULT WINAPI XMLPIEContentHandler::characters(const wchar_t* chars, int length)
{
    try {
        if (m_current)
            m_current->AppendText(chars, length);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
