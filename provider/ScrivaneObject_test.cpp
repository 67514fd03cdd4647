#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <vector>

#include "base/com/ComTypes.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/ScrivaneIds.h"
#include "provider/ScrivaneObject.h"

namespace {

// mingw's import libraries lack it; the engine asks for it first.
constexpr IID kIDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

// One argument as a script passes it; `byReference` mimics a script variable.
struct Arg {
    enum Kind { kText, kInt, kReal } kind;
    std::wstring text;
    double number = 0;
    bool byReference = false;
};
Arg Text(const wchar_t* t) { return {Arg::kText, t}; }
Arg Int(int n) { return {Arg::kInt, L"", static_cast<double>(n)}; }
Arg Real(double d) { return {Arg::kReal, L"", d}; }
Arg Variable(Arg a) { a.byReference = true; return a; }

// Calls a member with its arguments given in script order.
HRESULT Call(IDispatch* object, DISPID member, const std::vector<Arg>& args, UINT* argumentError = nullptr,
             WORD flags = DISPATCH_METHOD, REFIID iid = IID_NULL)
{
    std::vector<VARIANT> values(args.size());
    std::vector<VARIANT> block(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        VARIANT& v = values[i];
        VariantInit(&v);
        switch (args[i].kind) {
        case Arg::kText: v.vt = VT_BSTR; v.bstrVal = SysAllocString(args[i].text.c_str()); break;
        case Arg::kInt: v.vt = VT_I4; v.lVal = static_cast<LONG>(args[i].number); break;
        case Arg::kReal: v.vt = VT_R8; v.dblVal = args[i].number; break;
        }
        VARIANT& slot = block[args.size() - 1 - i];   // the block holds the last argument first
        if (args[i].byReference) {
            VariantInit(&slot);
            slot.vt = VT_BYREF | VT_VARIANT;
            slot.pvarVal = &v;
        } else {
            slot = v;
        }
    }
    DISPPARAMS params = {block.empty() ? nullptr : block.data(), nullptr, static_cast<UINT>(block.size()), 0};
    const HRESULT hr = object->Invoke(member, iid, 0, flags, &params, nullptr, nullptr, argumentError);
    for (VARIANT& v : values)
        VariantClear(&v);
    return hr;
}

std::wstring Written(const CXmlNodePtr& node)
{
    std::wstring text;
    node->WriteToString(text);
    return text;
}

std::wstring Attribute(const CXmlNodePtr& root, const wchar_t* path, const wchar_t* name, int index = 0)
{
    CXmlNodePtr node = CXmlNodePtr::Adopt(root->FindChildAtLastSegment(path, index));
    std::wstring value = L"(none)";
    if (node)
        node->GetAttributeString(name, value);
    return value;
}

class ScrivaneObjectTest : public ProviderFixture {
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        m_object = RefPtr<CScrivaneObject>::Adopt(new CScrivaneObject());
        m_root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    }
    void TearDown() override
    {
        m_object.Reset();
        m_root.Reset();
        ProviderFixture::TearDown();
    }
    IDispatch* Dispatch() { return static_cast<IDispatch*>(m_object.Get()); }
    void Bind() { m_object->SetResultTree(m_root.Get()); }

    RefPtr<CScrivaneObject> m_object;
    CXmlNodePtr m_root;
};

TEST_F(ScrivaneObjectTest, ArgumentCountsOfEveryMember)
{
    Bind();
    struct Case { DISPID member; size_t count; HRESULT expected; bool changesTree; };
    const Case cases[] = {
        {kWriteLog, 0, E_FAIL, false}, {kWriteLog, 1, S_OK, false}, {kWriteLog, 2, E_FAIL, false},
        {kAddDataEntry, 6, E_FAIL, false}, {kAddDataEntry, 7, S_OK, true}, {kAddDataEntry, 8, E_FAIL, false},
        {kSetCurrent, 1, S_OK, false}, {kSetCurrent, 2, S_OK, true}, {kSetCurrent, 3, S_OK, false},
        {kSaveResponse, 0, S_OK, false}, {kSaveResponse, 2, S_OK, false},
        {kSetStatus, 0, S_OK, false}, {kSetStatus, 1, S_OK, true}, {kSetStatus, 2, S_OK, false},
        {kSetDataAttribute, 1, S_OK, false}, {kSetDataAttribute, 2, S_OK, true},
        {kSetExtra, 0, S_OK, false}, {kSetExtra, 2, S_OK, true}, {kSetExtra, 3, S_OK, false},
        {kShowNode, 0, S_OK, false}, {kShowNode, 1, S_OK, true}, {kShowNode, 2, S_OK, false},
        {kHideNode, 2, S_OK, false}, {kHideNode, 1, S_OK, true},
    };
    // Arguments that every member accepts: month 1 ... second 1, value 1;
    // an attribute's name must be an XML name.
    const std::vector<Arg> pool = {Int(1), Int(1), Int(2009), Int(1), Int(1), Int(1), Int(1), Int(1)};
    for (const Case& c : cases) {
        const std::wstring before = Written(m_root);
        std::vector<Arg> args(pool.begin(), pool.begin() + c.count);
        const bool namesAnAttribute = c.member == kSetCurrent || c.member == kSetDataAttribute || c.member == kSetExtra;
        if (namesAnAttribute && !args.empty())
            args[0] = Text(L"n");
        EXPECT_EQ(c.expected, Call(Dispatch(), c.member, args)) << "member " << c.member << " with " << c.count;
        EXPECT_EQ(c.changesTree, before != Written(m_root)) << "member " << c.member << " with " << c.count;
    }
}

TEST_F(ScrivaneObjectTest, InvokeRefusesOtherInterfacesFlagsAndMembers)
{
    Bind();
    struct Case { DISPID member; WORD flags; const IID* iid; HRESULT expected; };
    const Case cases[] = {
        {kSetStatus, DISPATCH_METHOD, &kScrivaneDispatchIid, E_INVALIDARG},
        {kSetStatus, DISPATCH_PROPERTYGET, &IID_NULL, E_INVALIDARG},
        {kSetStatus, DISPATCH_PROPERTYPUT, &IID_NULL, E_INVALIDARG},
        {0, DISPATCH_METHOD, &IID_NULL, E_FAIL},
        {10, DISPATCH_METHOD, &IID_NULL, E_FAIL},
        {kSetStatus, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &IID_NULL, S_OK},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Call(Dispatch(), c.member, {Text(L"ok")}, nullptr, c.flags, *c.iid)) << c.member;
    EXPECT_EQ(E_INVALIDARG, Dispatch()->Invoke(kSetStatus, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(ScrivaneObjectTest, TotalsFollowTheEntries)
{
    Bind();
    ASSERT_EQ(S_OK, Call(Dispatch(), kAddDataEntry, {Int(1), Int(2), Int(2009), Int(12), Int(0), Int(0), Int(5)}));
    ASSERT_EQ(S_OK, Call(Dispatch(), kAddDataEntry,
                         {Variable(Int(1)), Text(L"3"), Int(2009), Int(6), Int(0), Int(0), Variable(Real(7.256))}));
    ASSERT_EQ(S_OK, Call(Dispatch(), kAddDataEntry, {Int(12), Int(31), Int(2008), Int(0), Int(0), Int(0), Text(L"3")}));

    EXPECT_EQ(L"3", Attribute(m_root, L"data", L"count"));
    EXPECT_EQ(L"7.26", Attribute(m_root, L"data", L"maxvalue"));
    EXPECT_EQ(L"3.00", Attribute(m_root, L"data", L"minvalue"));
    EXPECT_EQ(L"39813.500000", Attribute(m_root, L"data.entry", L"totaldays", 0));   // 2009-01-02 12:00
    EXPECT_EQ(L"39811.000000", Attribute(m_root, L"data", L"mintotaldays"));
    EXPECT_EQ(L"39814.250000", Attribute(m_root, L"data", L"maxtotaldays"));
    const wchar_t* values[] = {L"5", L"7.256", L"3"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(values[i], Attribute(m_root, L"data.entry", L"value", i)) << i;
    EXPECT_EQ(L"(none)", Attribute(m_root, L"data.entry", L"value", 3));
    EXPECT_EQ(L"3", Attribute(m_root, L"data.entry", L"day", 1));
    EXPECT_EQ(L"2009", Attribute(m_root, L"data.entry", L"year", 1));
}

TEST_F(ScrivaneObjectTest, CommaInAValueIsStoredAsAPointButCountsAsTheLocaleReadsIt)
{
    Bind();
    ASSERT_EQ(S_OK, Call(Dispatch(), kAddDataEntry, {Int(1), Int(1), Int(2009), Int(0), Int(0), Int(0), Text(L"1,5")}));
    EXPECT_EQ(L"1.5", Attribute(m_root, L"data.entry", L"value"));
    EXPECT_EQ(L"15.00", Attribute(m_root, L"data", L"maxvalue"));   // en-US: "," groups digits
}

TEST_F(ScrivaneObjectTest, AFailingEntryLeavesTheTreeAsItWas)
{
    Bind();
    ASSERT_EQ(S_OK, Call(Dispatch(), kAddDataEntry, {Int(1), Int(2), Int(2009), Int(12), Int(0), Int(0), Int(5)}));
    struct Case { const char* what; std::vector<Arg> args; UINT expectedBlockPosition; };
    const Case cases[] = {
        {"text for the month", {Text(L"Jan"), Int(2), Int(2009), Int(0), Int(0), Int(0), Int(1)}, 6},
        {"text for the value", {Int(1), Int(2), Int(2009), Int(0), Int(0), Int(0), Text(L"n/a")}, 0},
        {"year beyond 32 bits", {Int(1), Int(2), Real(1e12), Int(0), Int(0), Int(0), Int(1)}, 4},
        {"month 13", {Int(13), Int(2), Int(2009), Int(0), Int(0), Int(0), Int(1)}, ~0u},
        {"day 0", {Int(1), Int(0), Int(2009), Int(0), Int(0), Int(0), Int(1)}, ~0u},
        {"30 February", {Int(2), Int(30), Int(2009), Int(0), Int(0), Int(0), Int(1)}, ~0u},
        {"hour 24", {Int(1), Int(2), Int(2009), Int(24), Int(0), Int(0), Int(1)}, ~0u},
        {"year 10000", {Int(1), Int(2), Int(10000), Int(0), Int(0), Int(0), Int(1)}, ~0u},
        {"value beyond a double", {Int(1), Int(2), Int(2009), Int(0), Int(0), Int(0), Text(L"1e999")}, 0},
    };
    const std::wstring before = Written(m_root);
    for (const Case& c : cases) {
        UINT argumentError = ~0u;
        EXPECT_TRUE(FAILED(Call(Dispatch(), kAddDataEntry, c.args, &argumentError))) << c.what;
        EXPECT_EQ(c.expectedBlockPosition, argumentError) << c.what;
        EXPECT_EQ(before, Written(m_root)) << c.what;
    }
    CXmlNodePtr data = CXmlNodePtr::Adopt(m_root->FindChild(L"data", 0));
    data->SetAttribute(L"count", L"2147483647");
    const std::wstring full = Written(m_root);
    EXPECT_EQ(DISP_E_OVERFLOW, Call(Dispatch(), kAddDataEntry, {Int(1), Int(2), Int(2009), Int(0), Int(0), Int(0), Int(1)}));
    EXPECT_EQ(full, Written(m_root));
}

TEST_F(ScrivaneObjectTest, AttributeMembersAndSceneGraphLists)
{
    Bind();
    const std::vector<std::pair<DISPID, std::vector<Arg>>> calls = {
        {kSetCurrent, {Text(L"last"), Text(L"1")}},
        {kSetCurrent, {Text(L"last"), Variable(Real(2.5))}},
        {kSetDataAttribute, {Text(L"name"), Text(L"DAX")}},
        {kSetExtra, {Text(L"source"), Text(L"feed & <wire>")}},
        {kSetStatus, {Text(L"ok")}},
        {kShowNode, {Text(L"Title")}},
        {kShowNode, {Text(L"Title")}},
        {kHideNode, {Variable(Text(L"Logo"))}},
    };
    for (const auto& call : calls)
        ASSERT_EQ(S_OK, Call(Dispatch(), call.first, call.second)) << call.first;
    EXPECT_EQ(L"<response status=\"ok\">\r\n"
              L"<current last=\"2.5\">\r\n</current>\r\n"
              L"<data name=\"DAX\">\r\n</data>\r\n"
              L"<extra source=\"feed &amp; &lt;wire&gt;\">\r\n</extra>\r\n"
              L"<scenegraph>\r\n"
              L"<show>\r\n<![CDATA[Title]]>\r\n</show>\r\n"
              L"<show>\r\n<![CDATA[Title]]>\r\n</show>\r\n"
              L"<hide>\r\n<![CDATA[Logo]]>\r\n</hide>\r\n"
              L"</scenegraph>\r\n"
              L"</response>\r\n",
              Written(m_root));
}

TEST_F(ScrivaneObjectTest, AnAttributeNameThatIsNoXmlNameIsRefused)
{
    Bind();
    const wchar_t* names[] = {L"", L"two words", L"1st", L"a:b", L"a\"b", L"a<b", L"x\x01"};
    for (DISPID member : {kSetCurrent, kSetDataAttribute, kSetExtra}) {
        for (const wchar_t* name : names) {
            UINT argumentError = ~0u;
            EXPECT_EQ(E_INVALIDARG, Call(Dispatch(), member, {Text(name), Text(L"v")}, &argumentError))
                << member << " " << ::testing::PrintToString(std::wstring(name));
            EXPECT_EQ(1u, argumentError) << "the name is the first of two arguments";
        }
    }
    EXPECT_EQ(L"<response>\r\n</response>\r\n", Written(m_root));
}

TEST_F(ScrivaneObjectTest, AStoppedObjectRefusesEveryCall)
{
    Bind();
    m_object->StopCalls();
    EXPECT_EQ(E_ABORT, Call(Dispatch(), kSetStatus, {Text(L"ok")}));
    EXPECT_EQ(E_ABORT, Call(Dispatch(), kWriteLog, {Text(L"x")}));
    EXPECT_EQ(L"<response>\r\n</response>\r\n", Written(m_root));
    EXPECT_TRUE(WindowMessages().empty());
}

TEST_F(ScrivaneObjectTest, BeforeBindingOnlyWriteLogActs)
{
    for (DISPID member : {kSetStatus, kShowNode, kHideNode, kSaveResponse})
        EXPECT_EQ(S_OK, Call(Dispatch(), member, {Text(L"x")})) << member;
    EXPECT_EQ(S_OK, Call(Dispatch(), kSetCurrent, {Text(L"a"), Text(L"b")}));
    EXPECT_EQ(S_OK, Call(Dispatch(), kAddDataEntry, {Int(1), Int(2), Int(2009), Int(0), Int(0), Int(0), Int(1)}));
    EXPECT_EQ(S_OK, Call(Dispatch(), kWriteLog, {Text(L"global code ran: 100%s %n")}));
    EXPECT_EQ(std::vector<std::wstring>{L"global code ran: 100%s %n"}, WindowMessages());
    EXPECT_EQ(L"<response>\r\n</response>\r\n", Written(m_root));
}

TEST_F(ScrivaneObjectTest, SaveResponseWritesAMarkedUtf16File)
{
    Bind();
    ASSERT_EQ(S_OK, Call(Dispatch(), kSetStatus, {Text(L"ok")}));
    const std::wstring path = Folder() + L"\\reply.xml";
    ASSERT_EQ(S_OK, Call(Dispatch(), kSaveResponse, {Text(path.c_str())}));
    ASSERT_EQ(S_OK, Call(Dispatch(), kSaveResponse, {Text(path.c_str())}));   // replaces, not appends
    const std::wstring expected = Written(m_root);
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(2 + 2 * expected.size(), bytes.size());
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
    EXPECT_EQ(0, memcmp(bytes.data() + 2, expected.data(), 2 * expected.size()));
    EXPECT_EQ(S_OK, Call(Dispatch(), kSaveResponse, {Text(L"Q:\\no\\such\\folder\\reply.xml")}));
}

TEST_F(ScrivaneObjectTest, InterfacesShareOneObject)
{
    struct Case { const IID* iid; bool answered; };
    const Case cases[] = {
        {&IID_IUnknown, true}, {&IID_IDispatch, true}, {&kScrivaneDispatchIid, true},
        {&IID_IProvideMultipleClassInfo, true}, {&IID_IConnectionPointContainer, true},
        {&IID_IConnectionPoint, true}, {&kIDispatchEx, false}, {&IID_IProvideClassInfo2, false},
        {&kScrivaneEventIid, false},
    };
    for (const Case& c : cases) {
        RefPtr<IUnknown> part;
        EXPECT_EQ(c.answered ? S_OK : E_NOINTERFACE, Dispatch()->QueryInterface(*c.iid, reinterpret_cast<void**>(part.Put())));
        EXPECT_EQ(c.answered, static_cast<bool>(part));
        if (part) {
            RefPtr<IUnknown> identity;
            part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Put()));
            EXPECT_EQ(static_cast<IUnknown*>(Dispatch()), identity.Get());
        }
    }
}

TEST_F(ScrivaneObjectTest, ConnectionPointHoldsOneSink)
{
    RefPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, Dispatch()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Put())));
    RefPtr<IConnectionPoint> point;
    RefPtr<IConnectionPoint> none;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, none.Put()));
    EXPECT_FALSE(none);
    ASSERT_EQ(S_OK, container->FindConnectionPoint(kScrivaneEventIid, point.Put()));
    IID served = IID_NULL;
    EXPECT_EQ(S_OK, point->GetConnectionInterface(&served));
    EXPECT_TRUE(IsEqualIID(kScrivaneEventIid, served));
    EXPECT_EQ(E_NOTIMPL, container->EnumConnectionPoints(nullptr));

    // Sinks: the object itself answers no event interface; a second reply
    // object stands in for a refusing sink, and this fake accepts.
    struct Sink : IUnknown {
        LONG refs = 1;
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override
        {
            if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kScrivaneEventIid)) {
                *out = this;
                AddRef();
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
        STDMETHODIMP_(ULONG) Release() override { return --refs; }
    } sink, second;

    enum Step { kAdvise, kAdviseRefusing, kAdviseNull, kUnadvise };
    struct Case { Step step; IUnknown* sinkToUse; DWORD cookie; HRESULT expected; DWORD expectedCookie; LONG sinkRefs; };
    const Case cases[] = {
        {kUnadvise, nullptr, 1, CONNECT_E_NOCONNECTION, 0, 1},
        {kAdviseNull, nullptr, 0, E_POINTER, 0, 1},
        {kAdviseRefusing, nullptr, 0, CONNECT_E_CANNOTCONNECT, 0, 1},
        {kAdvise, &sink, 0, S_OK, 1, 2},
        {kAdvise, &second, 0, CONNECT_E_ADVISELIMIT, 0, 2},   // the first sink stays
        {kUnadvise, nullptr, 2, CONNECT_E_NOCONNECTION, 0, 2},
        {kUnadvise, nullptr, 1, S_OK, 0, 1},
        {kUnadvise, nullptr, 1, CONNECT_E_NOCONNECTION, 0, 1},
        {kAdvise, &sink, 0, S_OK, 1, 2},
        {kUnadvise, nullptr, 1, S_OK, 0, 1},
    };
    RefPtr<CScrivaneObject> refusing = RefPtr<CScrivaneObject>::Adopt(new CScrivaneObject());
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        DWORD cookie = 0;
        HRESULT hr = E_UNEXPECTED;
        switch (c.step) {
        case kAdvise: hr = point->Advise(c.sinkToUse, &cookie); break;
        case kAdviseRefusing: hr = point->Advise(static_cast<IDispatch*>(refusing.Get()), &cookie); break;
        case kAdviseNull: hr = point->Advise(nullptr, &cookie); break;
        case kUnadvise: hr = point->Unadvise(c.cookie); break;
        }
        EXPECT_EQ(c.expected, hr) << "step " << i;
        EXPECT_EQ(c.expectedCookie, cookie) << "step " << i;
        EXPECT_EQ(c.sinkRefs, sink.refs) << "step " << i;
        EXPECT_EQ(1, second.refs) << "step " << i;
    }
}

TEST_F(ScrivaneObjectTest, ClassInformation)
{
    RefPtr<IProvideMultipleClassInfo> info;
    ASSERT_EQ(S_OK, Dispatch()->QueryInterface(IID_IProvideMultipleClassInfo, reinterpret_cast<void**>(info.Put())));
    ULONG count = 0;
    EXPECT_EQ(S_OK, info->GetMultiTypeInfoCount(&count));
    EXPECT_EQ(1u, count);

    RefPtr<ITypeInfo> classInfo;
    ASSERT_EQ(S_OK, info->GetClassInfo(classInfo.Put()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, classInfo->GetTypeAttr(&attributes));
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    EXPECT_TRUE(IsEqualGUID(kScrivaneObjectType, attributes->guid));
    classInfo->ReleaseTypeAttr(attributes);

    GUID source = GUID_NULL;
    EXPECT_EQ(S_OK, info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(kScrivaneEventIid, source)) << "the interface the connection point serves";
    EXPECT_EQ(E_INVALIDARG, info->GetGUID(2, &source));

    DWORD typeFlags = 7;
    ULONG reserved = 7;
    IID primary = IID_NULL;
    IID sourceIid = IID_NULL;
    EXPECT_EQ(E_INVALIDARG, info->GetInfoOfIndex(1, MULTICLASSINFO_GETNUMRESERVEDDISPIDS, nullptr, &typeFlags,
                                                 &reserved, nullptr, nullptr));
    EXPECT_EQ(S_OK, info->GetInfoOfIndex(0, MULTICLASSINFO_GETNUMRESERVEDDISPIDS, nullptr, &typeFlags, &reserved,
                                         nullptr, nullptr));
    EXPECT_EQ(0u, typeFlags);
    EXPECT_EQ(0u, reserved);
    EXPECT_EQ(S_OK, info->GetInfoOfIndex(0, MULTICLASSINFO_GETIIDPRIMARY | MULTICLASSINFO_GETIIDSOURCE, nullptr,
                                         nullptr, nullptr, &primary, &sourceIid));
    EXPECT_TRUE(IsEqualIID(kScrivaneDispatchIid, primary));
    EXPECT_TRUE(IsEqualIID(kScrivaneEventIid, sourceIid));
}

TEST_F(ScrivaneObjectTest, NamesResolveThroughTheTypeLibraryWithoutRegardToCase)
{
    const wchar_t* names[] = {L"WriteLog", L"adddataentry", L"SETCURRENT", L"SaveResponse", L"SetStatus",
                              L"SetDataAttribute", L"SetExtra", L"ShowNode", L"hidenode"};
    for (DISPID expected = 1; expected <= 9; ++expected) {
        LPOLESTR name = const_cast<LPOLESTR>(names[expected - 1]);
        DISPID id = 0;
        EXPECT_EQ(S_OK, Dispatch()->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)) << expected;
        EXPECT_EQ(expected, id);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Frobnicate");
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, Dispatch()->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id));
    EXPECT_EQ(E_INVALIDARG, Dispatch()->GetIDsOfNames(kScrivaneDispatchIid, &unknown, 1, 0, &id));
    UINT count = 0;
    EXPECT_EQ(S_OK, Dispatch()->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    RefPtr<ITypeInfo> typeInfo;
    EXPECT_EQ(S_OK, Dispatch()->GetTypeInfo(0, 0, typeInfo.Put()));
    EXPECT_TRUE(typeInfo);
}

TEST_F(ScrivaneObjectTest, AMissingTypeLibraryIsLoggedAndLeavesNoTypeInformation)
{
    const TypeLibraryRef missing = {{0x1111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}}, 2, 0, L"NoSuchLibrary.tlb"};
    std::vector<std::wstring> lines;
    RefPtr<ITypeInfo> info;
    EXPECT_TRUE(FAILED(LoadTypeInfo(missing, kScrivaneObjectType, 0, info.Put(),
                                    [&](const std::wstring& line) { lines.push_back(line); })));
    EXPECT_FALSE(info);
    EXPECT_EQ(std::vector<std::wstring>{L"Failed to load type library"}, lines);

    // The file found by name (this test's folder holds it) serves when no
    // registration exists.
    const TypeLibraryRef fileOnly = {missing.libraryId, 2, 0, L"Scrivane.tlb"};
    lines.clear();
    EXPECT_EQ(S_OK, LoadTypeInfo(fileOnly, kScrivaneDispatchIid, 0, info.Put(),
                                 [&](const std::wstring& line) { lines.push_back(line); }));
    EXPECT_TRUE(info);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(TYPE_E_ELEMENTNOTFOUND, LoadTypeInfo(fileOnly, GUID_NULL, 0, info.Put(), {}));
}

}  // namespace
