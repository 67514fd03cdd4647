#include "common/xml/XmlParse.h"

#include <msxml2.h>
#include <objidl.h>

#include <cstring>

#include "base/com/ComTypes.h"
#include "base/com/ThreadClassCache.h"
#include "common/xml/SaxContentHandler.h"

namespace {

// The text as UTF-16LE bytes behind a byte-order mark, in a stream of its own.
// Fed from a stream, the reader takes the text in pieces and its time grows
// with the length; handed one string, its time grows with the square of the
// longest line.
HRESULT TextStream(const std::wstring& text, RefPtr<IStream>& stream)
{
    static const unsigned char kMark[2] = {0xFF, 0xFE};
    const size_t bytes = sizeof kMark + text.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return E_OUTOFMEMORY;
    auto* target = static_cast<unsigned char*>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    memcpy(target, kMark, sizeof kMark);
    if (!text.empty())
        memcpy(target + sizeof kMark, text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    // The stream frees the memory when it goes; it is ours until then.
    const HRESULT hr = CreateStreamOnHGlobal(memory, TRUE, stream.Put());
    if (FAILED(hr))
        GlobalFree(memory);
    return hr;
}

}  // namespace

HRESULT ParseXmlText(const std::wstring& text, CXmlNodePtr& root)
{
    root.Reset();

    RefPtr<ISAXXMLReader> reader;
    HRESULT hr =
        CreateComInstance(CLSID_SAXXMLReader, CLSCTX_ALL, IID_ISAXXMLReader, reinterpret_cast<void**>(reader.Put()));
    if (FAILED(hr))
        return hr;

    // Our own reference keeps the handler owned even when installing it fails.
    const RefPtr<XMLPIEContentHandler> handler = XMLPIEContentHandler::Create();
    if (!handler)
        return E_OUTOFMEMORY;
    hr = reader->putContentHandler(handler.Get());
    if (FAILED(hr))
        return hr;

    CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode());
    handler->SetRoot(tree.Get());

    RefPtr<IStream> stream;
    hr = TextStream(text, stream);
    if (FAILED(hr)) {
        reader->putContentHandler(nullptr);
        return hr;
    }
    ScopedVariant input;
    input->vt = VT_UNKNOWN;
    input->punkVal = stream.Detach();
    hr = reader->parse(*input.Get());
    reader->putContentHandler(nullptr);

    root = std::move(tree);
    return hr;
}
