// Every wrapper class against a recording host object: the names it looks
// up at attach, in order, and where one member of it lands; a host without
// the names; and one member of each kind with its arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"
#include "hostclient/test/FreshProcessTestSupport.h"
#include "hostclient/HostWrappers.h"
#include "testing/simhost/SimValue.h"

namespace {

std::vector<std::wstring> Words(const wchar_t* text)
{
    std::wistringstream in(text);
    std::vector<std::wstring> words;
    for (std::wstring word; in >> word;)
        words.push_back(word);
    return words;
}

// A host object that knows the names it is given (ids 1, 2, ... in order of
// first appearance) and records what a client asks of it.
class CRecordingDispatch : public ComObject<IDispatch> {
public:
    struct Call {
        std::wstring member;  // "?" for an id it does not know
        WORD kind;
        std::vector<std::wstring> arguments;  // in the caller's order, as DescribeValue gives them
        std::vector<VARTYPE> types;
        bool namedPut;  // the value went as the DISPID_PROPERTYPUT argument
    };

    static RefPtr<CRecordingDispatch> Create(const wchar_t* names)
    {
        return RefPtr<CRecordingDispatch>::Adopt(new CRecordingDispatch(Words(names)));
    }

    std::vector<std::wstring> lookups;
    std::vector<Call> calls;
    // What a member answers; VT_EMPTY when it is not here.
    std::map<std::wstring, std::function<void(VARIANT&)>> answers;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1)
            return E_INVALIDARG;
        lookups.push_back(names[0]);
        for (size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == names[0])
                return ids[0] = static_cast<DISPID>(i + 1), S_OK;
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        const bool known = id >= 1 && static_cast<size_t>(id) <= m_names.size();
        Call call{known ? m_names[id - 1] : L"?", kind, {}, {}, false};
        for (UINT i = params->cArgs; i > 0; --i) {
            call.arguments.push_back(DescribeValue(params->rgvarg[i - 1]));
            call.types.push_back(params->rgvarg[i - 1].vt);
        }
        call.namedPut = params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        calls.push_back(call);
        if (!known)
            return DISP_E_MEMBERNOTFOUND;
        auto answer = answers.find(call.member);
        if (result && answer != answers.end())
            answer->second(*result);
        return S_OK;
    }

private:
    explicit CRecordingDispatch(std::vector<std::wstring> names) : m_names(std::move(names)) {}
    std::vector<std::wstring> m_names;
};

// The wrapper takes over a reference of the caller's; the application's
// takes one of its own.
template <typename TWrapper>
void Attach(TWrapper& wrapper, CRecordingDispatch& host)
{
    if constexpr (!std::is_base_of_v<CHostApplicationCalls, TWrapper>)
        host.AddRef();
    wrapper.Attach(&host);
}

template <typename TWrapper>
void AttachOnly(CRecordingDispatch& host)
{
    TWrapper wrapper;
    Attach(wrapper, host);
}

// Attaches a TWrapper to `host` and calls one member of it.
template <typename TWrapper>
std::function<void(CRecordingDispatch&)> Calling(std::function<void(TWrapper&)> member)
{
    return [member](CRecordingDispatch& host) {
        TWrapper wrapper;
        Attach(wrapper, host);
        member(wrapper);
    };
}

enum class Cache { Shared, Own };
// What a member does on a host that lacks its name.
enum class Absent { Fails, NoCall };

struct ClassCase {
    const wchar_t* className;
    const wchar_t* names;  // in the order of the cells
    Cache cache;
    void (*attach)(CRecordingDispatch&);
    std::function<void(CRecordingDispatch&)> sample;
    const wchar_t* sampleMember;
    WORD sampleKind;
    Absent absent;
};

const WORD Get = DISPATCH_PROPERTYGET;
const WORD Put = DISPATCH_PROPERTYPUT;
const WORD Method = DISPATCH_METHOD;

std::vector<ClassCase> Classes()
{
    return {
        {L"Application",
         L"ActiveCanvas RegisterObjectProperty ShowInBrowser RegisterObjectPropertyEditor "
         L"RegisterObjectPropertyChanges Open SaveAs Image DrawList CustomProperties RegisterMenuItem RegisterObject "
         L"RegisterObjectEventHandler Context MDIFrame SetRegistry GetRegistry RegisterLEIFlet ActiveFrameBuffer "
         L"FrameBuffers FrameBufferScene SetPropertyManager TransferView FrameBufferPlaying NamespaceCount Namespace "
         L"GL Plugins IsCombine CreatePlaylist CreateCustomPlaylist Version ActivateFrame CloseWindow FrameBuffer "
         L"Message Read IICommand",
         Cache::Shared, AttachOnly<CHostApplication>,
         Calling<CHostApplication>([](CHostApplication& w) { w.SetContext(7L); }), L"Context", Put, Absent::Fails},
        {L"Canvas",
         L"Scene ClientToScreenX ClientToScreenY SetResolution WindowDimension Playing MakeCurrent Update "
         L"RenderToDuet SetFrame GetFrame Selection FrameCount CurrentMessage",
         Cache::Shared, AttachOnly<CHostCanvas>,
         Calling<CHostCanvas>([](CHostCanvas& w) { ScopedVariant v; w.ClientToScreenY(v, 4L); }), L"ClientToScreenY",
         Method, Absent::Fails},
        {L"Scene",
         L"NodeCount Node Resolution NativeResolution Properties Background SafeTitle BackgroundVisible TwoDFrames "
         L"EnableGuides RestoreCanvas ActiveObject EditStaticObject DeleteStaticObject StaticObjectCount "
         L"AddStaticObject StaticObject CurrentFrame Play InsertObject ImportFile Select StreamToNodes NodesToStream "
         L"Erase AnimationLength Group Refresh UnGroup SelectedTemplate ProxyBasedPrimitive SwapPriority Element "
         L"Transitions TransitionByName GetTemplate ExportNodes SuppressUpdates FrameBuffer",
         Cache::Shared, AttachOnly<CHostScene>,
         Calling<CHostScene>([](CHostScene& w) { EXPECT_EQ(nullptr, w.GetNativeResolution()); }), L"NativeResolution",
         Get, Absent::Fails},
        {L"Node",
         L"Visible Properties Element ElementCount Type Name Rect InTime OutTime KeyFrames AnimationState Delete "
         L"Select FullScreen AnimateElements AddRow FontName Id ChildCount GetChild KeyFrame GetGroup GetTransform "
         L"Update",
         Cache::Shared, AttachOnly<CHostNode>, Calling<CHostNode>([](CHostNode& w) { w.SetFontName(L"Vera"); }),
         L"FontName", Put, Absent::Fails},
        {L"Element",
         L"ClipRect Properties Rect Text Image Name TemplateRect AntiAlias Update RGBAImage UseTemplateRect Type Image "
         L"Verticies Node DeleteAll GetCaretPos RowColor SelectedRowColor SetCaretPos HandleChar Justify AddTemplate "
         L"SetActive Filename InPoint OutPoint Loop IIUpdateEnable IgnorePauses PlayToEnd Preload "
         L"ExternalUpdateEnable LoopFrame RefreshTexture ReplaceMode LyricProperties LoadFromURL JustificationX "
         L"JustificationY",
         Cache::Shared, AttachOnly<CHostElement>,
         Calling<CHostElement>([](CHostElement& w) { ScopedVariant v; w.GetLoopFrame(v); }), L"LoopFrame", Get,
         Absent::Fails},
        {L"FrameBuffer", L"SceneByFilename SelectScene Scenes SceneWithFocus BoardNum SceneByName", Cache::Own,
         AttachOnly<CHostFrameBuffer>,
         Calling<CHostFrameBuffer>([](CHostFrameBuffer& w) { EXPECT_EQ(nullptr, w.SceneWithFocus()); }),
         L"SceneWithFocus", Method, Absent::NoCall},
        {L"PropertyGroup", L"Value", Cache::Own, AttachOnly<CHostPropertyGroup>,
         Calling<CHostPropertyGroup>([](CHostPropertyGroup& w) { w.SetValueString(L"Speed", L"2"); }), L"Value", Put,
         Absent::Fails},
        {L"KeyFrames", L"Count KeyFrame Delete DeleteTrack Add", Cache::Own, AttachOnly<CHostKeyFrames>,
         Calling<CHostKeyFrames>([](CHostKeyFrames& w) { ScopedVariant v; w.Delete(v, 3L); }), L"Delete", Method,
         Absent::Fails},
        {L"KeyFrame", L"Attribute Value Interpolation Frame", Cache::Own, AttachOnly<CHostKeyFrame>,
         Calling<CHostKeyFrame>([](CHostKeyFrame& w) { w.GetInterpolation(); }), L"Interpolation", Get, Absent::Fails},
        {L"Transform", L"KeyFrames", Cache::Own, AttachOnly<CHostTransform>,
         Calling<CHostTransform>([](CHostTransform& w) { w.KeyFrames(); }), L"KeyFrames", Method, Absent::Fails},
        {L"Group", L"AddNode", Cache::Own, AttachOnly<CHostGroup>,
         Calling<CHostGroup>([](CHostGroup& w) { w.AddNode(L"Bar"); }), L"AddNode", Method, Absent::Fails},
        {L"Selection", L"Execute", Cache::Own, AttachOnly<CHostSelection>,
         Calling<CHostSelection>([](CHostSelection& w) { w.Execute(L"Copy"); }), L"Execute", Method, Absent::Fails},
        {L"Transition", L"Name Activate", Cache::Own, AttachOnly<CHostTransition>,
         Calling<CHostTransition>([](CHostTransition& w) { w.Activate(); }), L"Activate", Method, Absent::Fails},
        {L"Text", L"Text Font CharsFont CharsRect TextNoTrim TextNoUpdate UnicodeText", Cache::Own,
         AttachOnly<CHostText>, Calling<CHostText>([](CHostText& w) { ScopedVariant v; w.GetUnicodeText(v); }),
         L"UnicodeText", Get, Absent::Fails},
        {L"Font",
         L"Name Height Transparency Bold Italic Underline Blur ColorIndex Update Edge HorizShear VerticalShear Kerning "
         L"Leading SpaceWidth XYFilter Color EdgeCount CharacterData IsSame",
         Cache::Own, AttachOnly<CHostFont>, Calling<CHostFont>([](CHostFont& w) { w.SetColor(0x00FF00L); }), L"Color",
         Put, Absent::NoCall},
        {L"Image",
         L"Save Load Size GetImageData SetImageData DecoderAvailable Dimensions FromRGBA ToRGB UsePBuffer "
         L"ElementImageData RemovePreMultiply",
         Cache::Own, AttachOnly<CHostImage>, Calling<CHostImage>([](CHostImage& w) { w.SetUsePBuffer(true); }),
         L"UsePBuffer", Put, Absent::NoCall},
        {L"Version", L"MajorVersion MinorVersion Build", Cache::Own, AttachOnly<CHostVersion>,
         Calling<CHostVersion>([](CHostVersion& w) { w.GetMinorVersion(); }), L"MinorVersion", Get, Absent::Fails},
        {L"Properties", L"Count ByIndex ByName OwnerElement", Cache::Own, AttachOnly<CHostProperties>,
         Calling<CHostProperties>([](CHostProperties& w) { EXPECT_EQ(nullptr, w.ByIndex(0L)); }), L"ByIndex", Method,
         Absent::Fails},
        {L"Property", L"Default Type Options Name Value", Cache::Own, AttachOnly<CHostProperty>,
         Calling<CHostProperty>([](CHostProperty& w) { ScopedVariant v; w.GetOptions(v); }), L"Options", Get,
         Absent::Fails},
        {L"Rect", L"Width Height Left Top Right Bottom", Cache::Own, AttachOnly<CHostRect>,
         Calling<CHostRect>([](CHostRect& w) { ScopedVariant v; w.GetBottom(v); }), L"Bottom", Get, Absent::Fails},
        {L"Edge", L"EdgeSize Type RotationAngle Transparency Softness Color", Cache::Own, AttachOnly<CHostEdge>,
         Calling<CHostEdge>([](CHostEdge& w) { ScopedVariant v; w.GetSoftness(v); }), L"Softness", Get, Absent::Fails},
        {L"CharacterData", L"Rect Descent BaselineOffset", Cache::Own, AttachOnly<CHostCharacterData>,
         Calling<CHostCharacterData>([](CHostCharacterData& w) { w.GetRect(); }), L"Rect", Get, Absent::Fails},
        {L"Vertex", L"X Y", Cache::Own, AttachOnly<CHostVertex>,
         Calling<CHostVertex>([](CHostVertex& w) { ScopedVariant v; w.GetY(v); }), L"Y", Get, Absent::Fails},
        {L"LyricProperties",
         L"TemplateID SizeToFit Justification AutoErase WordWrap Numeric IIUpdateEnable ExternalUpdateEnable AllCaps "
         L"StartUpdate EndUpdate",
         Cache::Own, AttachOnly<CHostLyricProperties>,
         Calling<CHostLyricProperties>([](CHostLyricProperties& w) { ScopedVariant v; w.EndUpdate(v); }),
         L"EndUpdate", Method, Absent::Fails},
        {L"Position", L"XPosition YPosition ZPosition", Cache::Own, AttachOnly<CHostPosition>,
         Calling<CHostPosition>([](CHostPosition& w) { ScopedVariant v; w.GetZPosition(v); }), L"ZPosition", Get,
         Absent::Fails},
        {L"Dimension", L"Width Height", Cache::Own, AttachOnly<CHostDimension>,
         Calling<CHostDimension>([](CHostDimension& w) { ScopedVariant v; w.GetHeight(v); }), L"Height", Get,
         Absent::Fails},
        {L"Resolution", L"Size FramesPerSecond AspectRatio", Cache::Own, AttachOnly<CHostResolution>,
         Calling<CHostResolution>([](CHostResolution& w) { ScopedVariant v; w.GetFramesPerSecond(v); }),
         L"FramesPerSecond", Get, Absent::Fails},
        {L"StaticObject", L"Properties ID Class", Cache::Own, AttachOnly<CHostStaticObject>,
         Calling<CHostStaticObject>([](CHostStaticObject& w) { ScopedVariant v; w.GetClass(v); }), L"Class", Get,
         Absent::Fails},
        {L"GL",
         L"Begin End Flush Finish ReadPixels Clear Color3f Vertex2i Enable Disable ShadeModel Color4f Materialfv "
         L"Materialf GenLists NewList EndList CallList Translatef Scalef Vertex3f BlendFunc Normal3f DepthMask "
         L"IsEnabled GetBooleanv GetIntegerv GetDoublev UnProject Project",
         Cache::Own, AttachOnly<CHostGL>, Calling<CHostGL>([](CHostGL& w) { ScopedVariant v; w.Project(v); }),
         L"Project", Method, Absent::Fails},
        {L"Namespace", L"PropertyCount Name Property", Cache::Own, AttachOnly<CHostNamespace>,
         Calling<CHostNamespace>([](CHostNamespace& w) { w.Property(1L); }), L"Property", Method, Absent::Fails},
        {L"PropertyDef", L"Default Type Options Name Value ObjectCount ObjectName", Cache::Own,
         AttachOnly<CHostPropertyDef>,
         Calling<CHostPropertyDef>([](CHostPropertyDef& w) { ScopedVariant v; w.GetObjectName(v, 0L); }),
         L"ObjectName", Get, Absent::Fails},
        {L"Playlist", L"Add AddWithParam DeleteAll AddField Save Caption", Cache::Own, AttachOnly<CHostPlaylist>,
         Calling<CHostPlaylist>([](CHostPlaylist& w) { ScopedVariant v; w.GetCaption(v); }), L"Caption", Get,
         Absent::Fails},
        {L"Plugin", L"Execute", Cache::Own, AttachOnly<CHostPlugin>,
         Calling<CHostPlugin>([](CHostPlugin& w) { ScopedVariant v; w.Execute(v, L"Run"); }), L"Execute", Method,
         Absent::Fails},
        {L"CustomList", L"Get Count", Cache::Own, AttachOnly<CHostCustomList>,
         Calling<CHostCustomList>([](CHostCustomList& w) { ScopedVariant v; w.GetCount(v); }), L"Count", Get,
         Absent::Fails},
        {L"CustomItem", L"Name CommandID", Cache::Own, AttachOnly<CHostCustomItem>,
         Calling<CHostCustomItem>([](CHostCustomItem& w) { ScopedVariant v; w.GetCommandID(v); }), L"CommandID", Get,
         Absent::Fails},
    };
}

// In a fresh process, so that the shared classes' first attach is this one.
TEST(MemberTable, EveryClassLooksUpItsNamesAndCallsItsMembersByThem)
{
    if (!RunsInFreshProcess())
        return;
    for (const ClassCase& c : Classes()) {
        SCOPED_TRACE(c.className);
        const std::vector<std::wstring> names = Words(c.names);
        RefPtr<CRecordingDispatch> host = CRecordingDispatch::Create(c.names);
        c.attach(*host);
        EXPECT_EQ(names, host->lookups) << "first attach";
        c.attach(*host);
        EXPECT_EQ(c.cache == Cache::Own ? 2 * names.size() : names.size(), host->lookups.size()) << "second attach";

        host->calls.clear();
        try {
            c.sample(*host);
        } catch (const CHostException& e) {
            ADD_FAILURE() << e.Description();
        }
        ASSERT_EQ(1u, host->calls.size());
        EXPECT_EQ(c.sampleMember, host->calls[0].member);
        EXPECT_EQ(c.sampleKind, host->calls[0].kind);
        EXPECT_EQ(1L, host->RefCount()) << "the wrappers let their references go";

        if (c.cache == Cache::Shared)
            continue;  // its cells stay as this process's first host answered
        RefPtr<CRecordingDispatch> bare = CRecordingDispatch::Create(L"");
        bool failed = false;
        try {
            c.sample(*bare);
        } catch (const CHostException& e) {
            failed = true;
            EXPECT_EQ(DISP_E_MEMBERNOTFOUND, e.HResult());
        }
        EXPECT_EQ(names, bare->lookups) << "a host without the names is asked for each";
        if (c.absent == Absent::Fails) {
            EXPECT_TRUE(failed);
            ASSERT_EQ(1u, bare->calls.size()) << "called with the unknown id";
            EXPECT_EQ(L"?", bare->calls[0].member);
        } else {
            EXPECT_FALSE(failed);
            EXPECT_TRUE(bare->calls.empty());
        }
    }
}

TEST(MemberTable, MembersOfEachKindSendTheirArguments)
{
    RefPtr<CRecordingDispatch> edge = CRecordingDispatch::Create(L"EdgeSize Type RotationAngle Transparency Softness Color");
    RefPtr<CRecordingDispatch> host = CRecordingDispatch::Create(
        L"Name Height Edge Begin Color3f Save TextNoUpdate ObjectName CharacterData");
    host->answers[L"Edge"] = [&](VARIANT& v) {
        v.vt = VT_DISPATCH;
        v.pdispVal = edge.Get();
        edge->AddRef();
    };
    host->answers[L"Save"] = [](VARIANT& v) {
        v.vt = VT_BOOL;
        v.boolVal = VARIANT_TRUE;
    };
    host->answers[L"Height"] = [](VARIANT& v) {
        v.vt = VT_R8;
        v.dblVal = 36.5;
    };
    struct Case {
        const wchar_t* title;
        std::function<void()> call;
        const wchar_t* member;
        WORD kind;
        std::vector<VARTYPE> types;
        std::vector<std::wstring> arguments;
    };
    const Case cases[] = {
        {L"open get", [&] {
             CHostFont font;
             Attach(font, *host);
             ScopedVariant height;
             font.GetHeight(height);
             EXPECT_EQ(VT_R8, height->vt);
             EXPECT_DOUBLE_EQ(36.5, height->dblVal);
         }, L"Height", Get, {}, {}},
        {L"open get with an index", [&] {
             CHostPropertyDef definition;
             Attach(definition, *host);
             ScopedVariant name;
             definition.GetObjectName(name, 2L);
         }, L"ObjectName", Get, {VT_I4}, {L"2"}},
        {L"open put", [&] {
             CHostText text;
             Attach(text, *host);
             text.SetTextNoUpdate(L"Dow 30");
         }, L"TextNoUpdate", Put, {VT_BSTR}, {L"Dow 30"}},
        {L"open method with arguments", [&] {
             CHostGL gl;
             Attach(gl, *host);
             ScopedVariant answer;
             gl.Color3f(answer, 1.0f, 0.5f, 0.25f);
         }, L"Color3f", Method, {VT_R4, VT_R4, VT_R4}, {L"1", L"0.5", L"0.25"}},
        {L"typed method with arguments", [&] {
             CHostImage image;
             Attach(image, *host);
             EXPECT_TRUE(image.Save(L"C:\\out.png", L"png"));
         }, L"Save", Method, {VT_BSTR, VT_BSTR}, {L"C:\\out.png", L"png"}},
        {L"object result", [&] {
             CHostFont font;
             Attach(font, *host);
             std::unique_ptr<CHostEdge> first = font.Edge(1L);
             ASSERT_TRUE(first);
             EXPECT_EQ(edge.Get(), first->GetDispatch());
             EXPECT_EQ(6u, edge->lookups.size()) << "the new wrapper attached";
             EXPECT_EQ(nullptr, font.CharacterData(0L)) << "no object, no wrapper";
             font.Edge(1L);  // a second, deleted at once
             EXPECT_EQ(2L, edge->RefCount());
             DeleteHostObject(first.release());
             EXPECT_EQ(1L, edge->RefCount()) << "deleting the wrapper releases the host object";
         }, L"Edge", Method, {VT_I4}, {L"1"}},
    };
    for (const Case& c : cases) {
        host->calls.clear();
        try {
            c.call();
        } catch (const CHostException& e) {
            ADD_FAILURE() << c.title << L": " << e.Description();
        }
        const auto call = std::find_if(host->calls.begin(), host->calls.end(),
                                       [&](const CRecordingDispatch::Call& r) { return r.member == c.member; });
        ASSERT_NE(host->calls.end(), call) << c.title;
        EXPECT_EQ(c.kind, call->kind) << c.title;
        EXPECT_EQ(c.types, call->types) << c.title;
        EXPECT_EQ(c.arguments, call->arguments) << c.title;
        EXPECT_EQ(c.kind == Put, call->namedPut) << c.title;
    }
    EXPECT_EQ(1L, host->RefCount());
}

} // namespace
