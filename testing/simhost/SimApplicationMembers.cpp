// The application's members: registration, registry, canvases and frame buffers.
#include <new>

#include "testing/simhost/SimHost.h"

namespace {

constexpr SimKind Get = SimKind::Get;
constexpr SimKind Method = SimKind::Method;

std::vector<std::wstring> StringArray(const VARIANT& v)
{
    SAFEARRAY* array = v.parray;
    LONG low = 0, high = -1;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &low)) ||
        FAILED(SafeArrayGetUBound(array, 1, &high)) || low != 0)
        throw CSimHostError(L"Object types must be a one-dimensional string array from index 0",
                            DISP_E_TYPEMISMATCH);
    std::vector<std::wstring> strings;
    for (LONG i = low; i <= high; ++i) {
        BSTR element = nullptr;
        if (FAILED(SafeArrayGetElement(array, &i, &element)))
            throw CSimHostError(L"Unreadable object type list", DISP_E_TYPEMISMATCH);
        strings.emplace_back(element ? element : L"", SysStringLen(element));
        SysFreeString(element);
    }
    return strings;
}

std::pair<std::wstring, std::wstring> RegistryKey(const CSimCall& c)
{
    return {c.String(0), c.String(1)};
}

} // namespace

const CSimClass& CSimApplication::Type()
{
    static const CSimClass type(L"Application", {
        Member<CSimApplication>(L"ActiveCanvas", Get, {}, VT_DISPATCH, [](CSimApplication&, CSimCall& c) {
            if (CSimCanvas* canvas = c.Host().ActiveCanvas())
                c.ReturnObject(canvas);
            else
                c.ReturnEmpty();
        }),
        Member<CSimApplication>(L"RegisterLEIFlet", Method, {VT_BSTR, VT_BSTR}, VT_EMPTY,
                                [](CSimApplication&, CSimCall& c) { c.Host().RecordRegistration(L"RegisterLEIFlet", c); }),
        Member<CSimApplication>(L"RegisterMenuItem", Method, {VT_BSTR, VT_BSTR, VT_BSTR}, VT_I4,
                                [](CSimApplication&, CSimCall& c) {
            c.Host().RecordRegistration(L"RegisterMenuItem", c);
            c.ReturnLong(c.Host().AddMenuItem(c.String(0), c.String(1), c.String(2)));
        }),
        Member<CSimApplication>(L"RegisterObjectProperty", Method,
                                {VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_ARRAY | VT_BSTR, VT_BSTR}, VT_I4,
                                [](CSimApplication&, CSimCall& c) {
            SimPropertyDeclaration d{c.String(0), c.String(1), c.Long(2), c.String(3), StringArray(c.Argument(4)),
                                     c.String(5)};
            c.Host().RecordRegistration(L"RegisterObjectProperty", c);
            c.Host().DeclareProperty(std::move(d));
            c.ReturnLong(static_cast<long>(c.Host().Declarations().size()));
        }),
        Member<CSimApplication>(L"RegisterObjectPropertyEditor", Method, {VT_BSTR, VT_BSTR, VT_ARRAY | VT_BSTR},
                                VT_I4, [](CSimApplication&, CSimCall& c) {
            StringArray(c.Argument(2));
            c.Host().RecordRegistration(L"RegisterObjectPropertyEditor", c);
            c.ReturnLong(1);
        }),
        Member<CSimApplication>(L"GetRegistry", Method, {VT_BSTR, VT_BSTR, VT_VARIANT}, VT_VARIANT,
                                [](CSimApplication&, CSimCall& c) {
            auto& registry = c.Host().Registry();
            auto found = registry.find(RegistryKey(c));
            c.ReturnValue(found != registry.end() ? found->second : CSimValue(c.Argument(2)));
        }),
        Member<CSimApplication>(L"SetRegistry", Method, {VT_BSTR, VT_BSTR, VT_VARIANT}, VT_EMPTY,
                                [](CSimApplication&, CSimCall& c) {
            c.Host().Registry()[RegistryKey(c)] = CSimValue(c.Argument(2));
        }),
        Member<CSimApplication>(L"MDIFrame", Method,
                                {VT_BSTR, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_I4, VT_BSTR}, VT_I4,
                                [](CSimApplication&, CSimCall& c) {
            // Caption, left, top, width, height; the minimum and maximum sizes are not kept.
            CSimHost& host = c.Host();
            const RECT place{c.Long(1), c.Long(2), c.Long(1) + c.Long(3), c.Long(2) + c.Long(4)};
            std::wstring error;
            if (!host.OpenFrameWindow(c.String(0), place, c.String(9), error))
                throw CSimHostError(error);
            c.ReturnLong(static_cast<long>(host.FrameWindows().size()));
        }),
        Member<CSimApplication>(L"FrameBuffer", Method, {VT_I4}, VT_DISPATCH, [](CSimApplication&, CSimCall& c) {
            const auto& buffers = c.Host().FrameBuffers();
            const long index = c.Long(0);
            if (index < 0 || static_cast<size_t>(index) >= buffers.size())
                c.ReturnNull();
            else
                c.ReturnObject(buffers[index]);
        }),
        Member<CSimApplication>(L"FrameBuffers", Get, {}, VT_I4, [](CSimApplication&, CSimCall& c) {
            c.ReturnLong(static_cast<long>(c.Host().FrameBuffers().size()));
        }),
        Member<CSimApplication>(L"ActiveFrameBuffer", Get, {}, VT_I4, [](CSimApplication&, CSimCall& c) {
            c.ReturnLong(c.Host().ActiveFrameBuffer());
        }),
        // The name of a scene the host holds focuses it; anything else is a scene file.
        Member<CSimApplication>(L"Open", Method, {VT_BSTR}, VT_EMPTY, [](CSimApplication&, CSimCall& c) {
            if (CSimScene* loaded = c.Host().FindScene(c.String(0))) {
                loaded->frameBuffer->focus = loaded;
                return;
            }
            std::wstring error;
            if (!c.Host().OpenSceneFile(c.String(0), error))
                throw CSimHostError(L"Cannot open " + c.String(0) + L": " + error);
        }),
        Member<CSimApplication>(L"Version", Method, {}, VT_DISPATCH, [](CSimApplication&, CSimCall& c) {
            c.ReturnObject(&c.Host().Version());
        }),
    });
    return type;
}

const CSimClass& CSimVersion::Type()
{
    static const CSimClass type(L"Version", {
        Member<CSimVersion>(L"MajorVersion", Get, {}, VT_I4, [](CSimVersion& v, CSimCall& c) { c.ReturnLong(v.major); }),
        Member<CSimVersion>(L"MinorVersion", Get, {}, VT_I4, [](CSimVersion& v, CSimCall& c) { c.ReturnLong(v.minor); }),
        Member<CSimVersion>(L"Build", Get, {}, VT_I4, [](CSimVersion& v, CSimCall& c) { c.ReturnLong(v.build); }),
    });
    return type;
}
