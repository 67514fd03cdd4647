#include "common/xml/XmlParse.h"

#include <msxml2.h>
#include <wrl/client.h>

#include "common/com/ComTypes.h"
#include "common/xml/SaxContentHandler.h"

using Microsoft::WRL::ComPtr;

HRESULT ParseXmlText(const std::wstring& text, CXmlNodePtr& root)
{
    root.Reset();

    ComPtr<ISAXXMLReader> reader;
    HRESULT hr = CoCreateInstance(CLSID_SAXXMLReader, nullptr, CLSCTX_ALL, IID_ISAXXMLReader,
                                  reinterpret_cast<void**>(reader.GetAddressOf()));
    if (FAILED(hr))
        return hr;

    // Our own reference keeps the handler owned even when installing it fails.
    RefPtr<XMLPIEContentHandler> handler(XMLPIEContentHandler::Create());
    if (!handler)
        return E_OUTOFMEMORY;
    hr = reader->putContentHandler(handler.Get());
    if (FAILED(hr))
        return hr;

    CXmlNodePtr tree = CXmlNodePtr::Adopt(new CXmlNode());
    handler->SetRoot(tree.Get());

    ScopedVariant input;
    input->vt = VT_BSTR;
    input->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!input->bstrVal) {
        reader->putContentHandler(nullptr);
        return E_OUTOFMEMORY;
    }
    hr = reader->parse(*input.Get());
    reader->putContentHandler(nullptr);

    root = std::move(tree);
    return hr;
}
