#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/com/ComTypes.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/simhost/SimSceneFile.h"
#include "testing/testmain/TestVariants.h"

namespace {

DISPID IdOf(IDispatch* object, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// A plain number as an argument.
template <VARTYPE Type, typename TValue>
VARIANT Number(TValue value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = Type;
    if constexpr (Type == VT_I4)
        v.lVal = value;
    else if constexpr (Type == VT_I2)
        v.iVal = value;
    else
        v.dblVal = value;
    return v;
}
VARIANT Long(long value) { return Number<VT_I4>(value); }
VARIANT Short(short value) { return Number<VT_I2>(value); }
VARIANT Real(double value) { return Number<VT_R8>(value); }

// A raw call with the arguments in the caller's order (they are not freed:
// tests pass only plain numbers or strings they own).
struct RawCall {
    HRESULT hr;
    UINT argumentError;
};
RawCall Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments, VARIANT* result = nullptr,
               EXCEPINFO* exception = nullptr, bool namedPut = true)
{
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT && namedPut) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    RawCall call{S_OK, 99};
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, exception, &call.argumentError);
    return call;
}

class SimHostTest : public SimHostFixture {
protected:
    SimHostTest() : chart(host.AddNode(scene, L"Chart", SimNodeGeoPlugin)) {}
    CSimNode& chart;
};

TEST_F(SimHostTest, CallsOfTheWrongShapeAreRefused)
{
    IDispatch* s = &scene;
    IDispatch* keyFrames = chart.TransformOf(L"In").keyFrames;
    ScopedBstr name(L"Chart");
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = name.Get();
    struct Case {
        const wchar_t* title;
        IDispatch* object;
        DISPID id;
        WORD flags;
        std::vector<VARIANT> arguments;
        bool namedPut;
        HRESULT expected;
        UINT argumentError;
    } const cases[] = {
        {L"get called as a method", s, IdOf(s, L"NodeCount"), DISPATCH_METHOD, {}, true, DISP_E_MEMBERNOTFOUND, 99},
        {L"combined flags", s, IdOf(s, L"NodeCount"), DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, true, DISP_E_MEMBERNOTFOUND, 99},
        {L"missing argument", s, IdOf(s, L"Node"), DISPATCH_METHOD, {}, true, DISP_E_BADPARAMCOUNT, 99},
        {L"extra argument", s, IdOf(s, L"Node"), DISPATCH_METHOD, {Long(0), Long(1)}, true, DISP_E_BADPARAMCOUNT, 99},
        {L"short for long", s, IdOf(s, L"Node"), DISPATCH_METHOD, {Short(0)}, true, DISP_E_TYPEMISMATCH, 0},
        {L"string for the flags", s, IdOf(s, L"Select"), DISPATCH_METHOD, {text, text}, true, DISP_E_TYPEMISMATCH, 0},
        {L"keyframe value as a long", keyFrames, IdOf(keyFrames, L"Add"), DISPATCH_METHOD,
         {Long(0), Long(1), Long(2), Long(0)}, true, DISP_E_TYPEMISMATCH, 1},
        {L"keyframe extra as a double", keyFrames, IdOf(keyFrames, L"Add"), DISPATCH_METHOD,
         {Long(0), Long(1), Real(2), Real(0)}, true, DISP_E_TYPEMISMATCH, 0},
        {L"put without its named argument", &chart, IdOf(&chart, L"Name"), DISPATCH_PROPERTYPUT, {text}, false,
         DISP_E_PARAMNOTOPTIONAL, 99},
        {L"unknown id", s, 999, DISPATCH_METHOD, {}, true, DISP_E_MEMBERNOTFOUND, 99},
    };
    for (const Case& c : cases) {
        host.ClearLog();
        const RawCall call = Invoke(c.object, c.id, c.flags, c.arguments, nullptr, nullptr, c.namedPut);
        EXPECT_EQ(c.expected, call.hr) << c.title;
        EXPECT_EQ(c.argumentError, call.argumentError) << c.title;
        EXPECT_TRUE(host.Calls().empty()) << c.title;
        EXPECT_EQ(1u, host.Rejections().size()) << c.title;
    }
    EXPECT_EQ(L"Chart", chart.name);
}

TEST_F(SimHostTest, NamesResolveWithoutCaseUnlessRemoved)
{
    IDispatch* s = &scene;
    const DISPID id = IdOf(s, L"NodeCount");
    EXPECT_NE(DISPID_UNKNOWN, id);
    EXPECT_EQ(id, IdOf(s, L"nodecount"));
    EXPECT_EQ(2, host.LookupCount(L"Scene", L"NodeCount"));

    DISPID unknown = 7;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Explode")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, s->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &unknown));
    EXPECT_EQ(DISPID_UNKNOWN, unknown);

    host.RemoveMember(L"Scene", L"NodeCount");
    EXPECT_EQ(DISPID_UNKNOWN, IdOf(s, L"NodeCount"));
    ScopedVariant result;
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Invoke(s, id, DISPATCH_PROPERTYGET, {}, result.Get()).hr);
}

TEST_F(SimHostTest, HostErrorsCarryErrorInformation)
{
    host.InjectError(L"Scene", L"NodeCount", L"Scene locked", E_ACCESSDENIED);
    EXCEPINFO info{};
    ScopedVariant result;
    EXPECT_EQ(DISP_E_EXCEPTION, Invoke(&scene, IdOf(&scene, L"NodeCount"), DISPATCH_PROPERTYGET, {}, result.Get(), &info).hr);
    ScopedBstr source, description;
    source.Reset(info.bstrSource);
    description.Reset(info.bstrDescription);
    EXPECT_EQ(L"Lyric", source.Str());
    EXPECT_EQ(L"Scene locked", description.Str());
    EXPECT_EQ(E_ACCESSDENIED, info.scode);
    EXPECT_EQ(1, host.CallCount(L"Scene", L"NodeCount"));

    // Without room for the information the call still fails cleanly.
    ScopedBstr missing(L"Nowhere");
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = missing.Get();
    EXPECT_EQ(DISP_E_EXCEPTION, Invoke(&scene, IdOf(&scene, L"Element"), DISPATCH_PROPERTYGET, {name}).hr);
}

TEST_F(SimHostTest, ObjectsOutlivingTheHostAreDisconnected)
{
    RefPtr<IDispatch> kept;
    {
        CSimHost shortLived;
        kept = RefPtr<IDispatch>(shortLived.Application());
        EXPECT_EQ(1, shortLived.OutsideReferences());
    }
    ScopedVariant result;
    EXPECT_EQ(RPC_E_DISCONNECTED, Invoke(kept.Get(), 1, DISPATCH_PROPERTYGET, {}, result.Get()).hr);
}

TEST_F(SimHostTest, PropertiesAnswerByDeclarationPerObjectType)
{
    const std::wstring group = L"Velmora.Drovel.LEIFlet.1::Drovel";
    CSimNode& movie = host.AddNode(scene, L"Promo", SimNodeMovie);
    host.DeclareProperty({group, L"Enabled", 0, L"0", {L"LyricMovie"}, L""});
    EXPECT_EQ(L"0", DescribeValue(host.PropertyValue(movie, group, L"Enabled").Get()));
    EXPECT_EQ(L"???", DescribeValue(host.PropertyValue(chart, group, L"Enabled").Get()));
    EXPECT_EQ(L"???", DescribeValue(host.PropertyValue(movie, group, L"Script").Get()));

    // Writing a property the object type does not carry is a host error; a declared one is kept.
    IDispatch* groupObject = &chart.PropertyGroup(group);
    ScopedBstr nameText(L"Enabled");
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = nameText.Get();
    EXPECT_EQ(DISP_E_EXCEPTION, Invoke(groupObject, IdOf(groupObject, L"Value"), DISPATCH_PROPERTYPUT, {name, Long(1)}).hr);
    IDispatch* movieGroup = &movie.PropertyGroup(group);
    EXPECT_EQ(S_OK, Invoke(movieGroup, IdOf(movieGroup, L"Value"), DISPATCH_PROPERTYPUT, {name, Long(1)}).hr);
    EXPECT_EQ(L"1", DescribeValue(host.PropertyValue(movie, group, L"Enabled").Get()));
}

TEST_F(SimHostTest, ADeclarationForOneObjectTypeLeavesTheOthersOfTheSameName)
{
    const std::wstring group = L"Velmora.LEIFlet.Plotvane.1::Plotvane";
    CSimNode& light = *scene.nodes.front();
    host.DeclareProperty({group, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
    host.DeclareProperty({group, L"Data", 0, L"", {L"LyricGeoPlugin"}, L""});
    host.DeclareProperty({group, L"Data", 0, L"geo", {L"LyricGeoPlugin"}, L""});  // replaces only its own
    EXPECT_EQ(L"", DescribeValue(host.PropertyValue(light, group, L"Data").Get()));
    EXPECT_EQ(L"geo", DescribeValue(host.PropertyValue(chart, group, L"Data").Get()));
    EXPECT_EQ(2u, host.Declarations().size());

    // The light's property takes a value and its collection lists it once.
    IDispatch* lightGroup = &light.PropertyGroup(group);
    ScopedBstr name(L"Data");
    EXPECT_EQ(S_OK, Invoke(lightGroup, IdOf(lightGroup, L"Value"), DISPATCH_PROPERTYPUT,
                           {TextArgument(name.Get()), CSimValue::Bytes({1, 2, 3}).Get()}).hr);
    EXPECT_EQ(L"<3 bytes 010203>", DescribeValue(host.PropertyValue(light, group, L"Data").Get()));
    IDispatch* chartProperties = &chart.PropertyCollection(group);
    ScopedVariant count;
    ASSERT_EQ(S_OK, Invoke(chartProperties, IdOf(chartProperties, L"Count"), DISPATCH_PROPERTYGET, {}, count.Get()).hr);
    EXPECT_EQ(1, count->lVal);
}

TEST_F(SimHostTest, RegistrationCallsAreRecordedAndDeclare)
{
    IDispatch* app = host.Application();
    ScopedBstr g(L"G"), p(L"P"), d(L"def"), empty(L"");
    auto bstr = [](const ScopedBstr& b) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = b.Get();
        return v;
    };
    SAFEARRAYBOUND bound{1, 1}; // lower bound 1: not the host's form
    SAFEARRAY* offByOne = SafeArrayCreate(VT_BSTR, 1, &bound);
    ScopedVariant badTypes;
    badTypes->vt = VT_ARRAY | VT_BSTR;
    badTypes->parray = offByOne;
    ScopedVariant result;
    EXPECT_EQ(DISP_E_EXCEPTION, Invoke(app, IdOf(app, L"RegisterObjectProperty"), DISPATCH_METHOD,
                                       {bstr(g), bstr(p), Long(0), bstr(d), *badTypes.Get(), bstr(empty)}, result.Get()).hr);
    EXPECT_TRUE(host.Declarations().empty());

    ScopedVariant types;
    types->vt = VT_ARRAY | VT_BSTR;
    types->parray = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG index = 0;
    ScopedBstr movie(L"LyricMovie");
    SafeArrayPutElement(types->parray, &index, movie.Get());
    EXPECT_EQ(S_OK, Invoke(app, IdOf(app, L"RegisterObjectProperty"), DISPATCH_METHOD,
                           {bstr(g), bstr(p), Long(0), bstr(d), *types.Get(), bstr(empty)}, result.Get()).hr);
    EXPECT_EQ(S_OK, Invoke(app, IdOf(app, L"RegisterLEIFlet"), DISPATCH_METHOD, {bstr(d), bstr(g)}).hr);

    ASSERT_EQ(2u, host.Registrations().size());
    EXPECT_EQ(L"RegisterObjectProperty", host.Registrations()[0].member);
    EXPECT_EQ((std::vector<std::wstring>{L"G", L"P", L"0", L"def", L"{LyricMovie}", L""}), host.Registrations()[0].arguments);
    EXPECT_EQ(L"RegisterLEIFlet", host.Registrations()[1].member);
    CSimNode& promo = host.AddNode(scene, L"Promo", SimNodeMovie);
    EXPECT_EQ(L"def", DescribeValue(host.PropertyValue(promo, L"G", L"P").Get()));
}

TEST(SimSceneFile, LoadsAWholeHostAndPrintsIt)
{
    CSimHost host;
    std::wstring error;
    ASSERT_TRUE(LoadSceneText(host, LR"(<?xml version="1.0" encoding="UTF-8"?>
<Lyric build="1432">
  <Registry section="Quillon" key="FrameLeft" value="20"/>
  <Registry section="Quillon" key="Title" value="Markets"/>
  <Declare group="G" name="Data" default="" objecttypes="LyricGlobalLight,LyricGeoPlugin"/>
  <FrameBuffer board="3">
    <Scene name="First" length="40"/>
    <Scene name="Markets" length="100" focus="1">
      <Transition name="In"/>
      <Template name="Dow.last" text="101.5"/>
      <Node name="Global Light"><Property group="G" name="Data" value="stored"/></Node>
      <Node name="Pie" type="0">
        <Node name="Slice" type="40">
          <KeyFrame frame="10" attribute="1004" value="72" interpolation="2"/>
        </Node>
      </Node>
      <Node name="NodeLike" type="32"><Property group="G" name="Data" bytes="0C000000789c"/></Node>
    </Scene>
  </FrameBuffer>
</Lyric>)", error)) << error;

    EXPECT_EQ(1432, host.Version().build);
    CSimScene* scene = host.ActiveScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(L"Markets", scene->name);
    EXPECT_EQ(3, host.FrameBuffer(0).boardNumber);
    ASSERT_EQ(3u, scene->nodes.size()); // the file's "Global Light" is the scene's own
    EXPECT_EQ(L"stored", DescribeValue(host.PropertyValue(*scene->nodes[0], L"G", L"Data").Get()));
    CSimNode* slice = scene->Find(L"Slice");
    ASSERT_NE(nullptr, slice);
    ASSERT_EQ(1u, slice->TransformOf(L"In").keyFrames->frames.size());
    EXPECT_EQ(2, slice->TransformOf(L"In").keyFrames->frames[0]->interpolation);
    EXPECT_EQ(VT_I4, (host.Registry()[{L"Quillon", L"FrameLeft"}].Get().vt));
    EXPECT_EQ(VT_BSTR, (host.Registry()[{L"Quillon", L"Title"}].Get().vt));

    const CSimValue bytes = host.PropertyValue(*scene->Find(L"NodeLike"), L"G", L"Data");
    std::vector<BYTE> read;
    ASSERT_TRUE(ReadBytes(bytes.Get(), read));
    EXPECT_EQ(VT_ARRAY | VT_I1, bytes.Get().vt);
    EXPECT_EQ((std::vector<BYTE>{0x0C, 0, 0, 0, 0x78, 0x9C}), read);

    const std::wstring text = DescribeHost(host);
    for (const wchar_t* line : {L"Scene \"Markets\" 100 frames (focus), transitions In", L"Template \"Dow.last\" text \"101.5\"",
                                L"      Node \"Slice\" type 40 LyricObject", L"KeyFrame In frame 10 attribute 1004 = 72 interpolation 2",
                                L"Property G Data = \"<6 bytes 0C000000789C>\""})
        EXPECT_NE(std::wstring::npos, text.find(line)) << line << L"\n" << text;
    EXPECT_EQ(0, host.OutsideReferences());
}

TEST(SimSceneFile, ANodesFileJoinsTheSceneTheCanvasShows)
{
    CSimHost host;
    std::wstring error;
    EXPECT_FALSE(LoadSceneText(host, L"<Nodes><Node name=\"A\"/></Nodes>", error)) << "no scene takes them";
    CSimScene& other = host.AddScene(L"Other");
    CSimScene& shown = host.AddScene(L"Shown");
    host.AddNode(shown, L"Chart", SimNodeGeoPlugin);
    ASSERT_TRUE(LoadSceneText(host, LR"(<Nodes>
  <Node name="Group" type="0"><Node name="Inner" type="40"/></Node>
  <Node name="Text" type="24"><Element name="Label" text="Jan"/></Node>
</Nodes>)", error)) << error;

    EXPECT_EQ(&shown, host.ActiveScene()) << "the focus stays";
    ASSERT_EQ(4u, shown.nodes.size());
    EXPECT_EQ(L"Chart", shown.nodes[1]->name);
    EXPECT_EQ(L"Group", shown.nodes[2]->name);
    EXPECT_EQ(L"Text", shown.nodes[3]->name);
    ASSERT_NE(nullptr, shown.Find(L"Inner"));
    EXPECT_EQ(shown.nodes[2], shown.Find(L"Inner")->parent);
    EXPECT_EQ(1u, other.nodes.size()) << "only its Global Light";
}

TEST(SimSceneFile, RefusesWhatItCannotRead)
{
    const wchar_t* const texts[] = {L"", L"<Lyric><Scene></Lyric>", L"<Other/>",
                                    L"<Scene><Node name=\"A\"><Property group=\"G\" name=\"P\" bytes=\"0G\"/></Node></Scene>",
                                    L"<Scene><Node name=\"A\"><Property group=\"G\" name=\"P\" bytes=\"ABC\"/></Node></Scene>"};
    for (const wchar_t* text : texts) {
        CSimHost host;
        std::wstring error;
        EXPECT_FALSE(LoadSceneText(host, text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    CSimHost host;
    std::wstring error;
    EXPECT_FALSE(LoadSceneFile(host, L"no-such-scene.xml", error));
    EXPECT_EQ(L"cannot open the file", error);
}

} // namespace
