#include "common/xml/SaxContentHandler.h"

#include <algorithm>
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

namespace {

std::wstring_view CountedView(const wchar_t* chars, int count)
{
    return count > 0 && chars ? std::wstring_view(chars, static_cast<size_t>(count)) : std::wstring_view();
}

}  // namespace

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
        // What the reader lent before a failure is kept, as the elements
        // read before it are.
        m_attributes.clear();
        for (int i = 0; i < count && SUCCEEDED(hr); ++i) {
            const wchar_t* name = nullptr;
            int nameLength = 0;
            const wchar_t* value = nullptr;
            int valueLength = 0;
            hr = attributes->getQName(i, &name, &nameLength);
            if (SUCCEEDED(hr))
                hr = attributes->getValue(i, &value, &valueLength);
            if (SUCCEEDED(hr))
                m_attributes.emplace_back(CountedView(name, nameLength), CountedView(value, valueLength));
        }
        // The node keeps name order. Put in that order here at once, any
        // order of a document costs a sort, never an insertion per attribute;
        // a stable one, so that of equal names the later one wins.
        const auto byName = [](const auto& a, const auto& b) { return a.first < b.first; };
        if (!std::is_sorted(m_attributes.begin(), m_attributes.end(), byName))
            std::stable_sort(m_attributes.begin(), m_attributes.end(), byName);
        m_current->ReserveAttributes(count);
        for (const auto& attribute : m_attributes) {
            m_current->SetAttributeCounted(attribute.first.data(), static_cast<int>(attribute.first.size()),
                                           attribute.second.data(), static_cast<int>(attribute.second.size()));
        }
        return hr;
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
