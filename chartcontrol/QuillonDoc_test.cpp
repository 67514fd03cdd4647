// The chart document in a scene of the simulated host: what is stored is
// read back with zlib by the test itself, and a stored block is checked
// before it is trusted.
#include <gtest/gtest.h>

#include <zlib.h>

#include <memory>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostScene.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/uitest/HintRecordingView.h"

namespace {

class QuillonDocTest : public SimHostFixture {
protected:
    QuillonDocTest() : light(*scene.nodes.front())
    {
        // As the control's start-up declares it.
        host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
        doc.SetApplication(host.Application());
        doc.AddView(&view);
    }

    CSimValue Stored() const { return host.PropertyValue(light, kPlotvanePropertyGroup, L"Data"); }
    void Store(const CSimValue& value) { light.properties[kPlotvanePropertyGroup][L"Data"] = value; }

    // A root with a pie chart whose names need escaping, and a bar chart.
    static CXmlNodePtr SampleRoot()
    {
        CXmlNodePtr root = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"Quillon"));
        CXmlNode* pie = new CXmlNode(root.Get(), L"PieChart");
        pie->SetAttribute(L"groupname", L"Pie \"A\" & <B>");
        pie->SetAttribute(L"transitionname", L"In");
        pie->SetAttributeInt(L"startframe", 0);
        pie->SetAttributeInt(L"endframe", 100);
        pie->SetAttribute(L"ordering", L"Leader Last");
        pie->SetAttributeInt(L"enable", 1);
        CXmlNode* bar = new CXmlNode(root.Get(), L"BarChart");
        bar->SetAttributeDouble(L"minscale", 0.25);
        return root;
    }

    static std::wstring TextOf(CXmlNode& node)
    {
        std::wstring text;
        node.WriteToString(text);
        return text;
    }

    CSimNode& light;
    CQuillonDoc doc;
    HintRecordingView view;
};

// The text zlib gives back from a stored block, by the block's own size field.
std::wstring Inflate(const std::vector<BYTE>& block, uint32_t& sizeField)
{
    sizeField = static_cast<uint32_t>(block[0] | block[1] << 8 | block[2] << 16 | block[3] << 24);
    std::wstring text(sizeField / 2, L'\0');
    uLongf length = sizeField;
    EXPECT_EQ(Z_OK, uncompress(reinterpret_cast<Bytef*>(&text[0]), &length, block.data() + 4,
                               static_cast<uLong>(block.size() - 4)));
    EXPECT_EQ(sizeField, length);
    return text;
}

TEST_F(QuillonDocTest, ASavedDocumentIsTheWritersTextZlibCompressedBehindItsByteCount)
{
    CXmlNodePtr root = doc.GetRoot();
    CXmlNodePtr sample = SampleRoot();
    for (int i = 0; i < 2; ++i) {
        CXmlNodePtr child = CXmlNodePtr::Adopt(sample->FindChildAtLastSegment(L"", i));
        child->AddRef();
        root->AddChild(child.Get());
    }
    ASSERT_TRUE(doc.SaveDocument());
    EXPECT_EQ((std::vector<int>{kHintSaving, kHintSaved}), view.hints);

    const CSimValue stored = Stored();
    ASSERT_EQ(VT_ARRAY | VT_I1, stored.Get().vt);
    std::vector<BYTE> block;
    ASSERT_TRUE(ReadBytes(stored.Get(), block));
    ASSERT_GT(block.size(), 6u);
    EXPECT_EQ(0x78, block[4]);  // a zlib stream at the default level
    EXPECT_EQ(0x9C, block[5]);
    uint32_t sizeField = 0;
    const std::wstring text = Inflate(block, sizeField);
    EXPECT_EQ(TextOf(*root), text);
    EXPECT_EQ(text.size() * 2, sizeField);

    // Loaded again by another document: the same tree, attributes in name order.
    CQuillonDoc reader;
    HintRecordingView readerView;
    reader.AddView(&readerView);
    reader.SetApplication(host.Application());
    reader.LoadFromActiveScene();
    EXPECT_EQ((std::vector<int>{kHintCleared, kHintLoaded}), readerView.hints);
    EXPECT_EQ(text, TextOf(*reader.GetRoot()));
    EXPECT_NE(std::wstring::npos, text.find(L"<PieChart enable=\"1\" endframe=\"100\" groupname="));
}

TEST_F(QuillonDocTest, ADocumentThatDeflatesLargerThanItsTextStillSaves)
{
    // Characters spread over the whole range leave deflate nothing to find.
    CXmlNodePtr root = doc.GetRoot();
    CXmlNode* sms = new CXmlNode(root.Get(), L"SMS");
    std::wstring noise;
    uint32_t seed = 12345;
    while (noise.size() < 600) {
        seed = seed * 1103515245u + 12345u;
        const wchar_t c = static_cast<wchar_t>(seed >> 16);
        if (c >= 0x100 && (c < 0xD800 || c > 0xDFFF) && c < 0xFFFE)  // no surrogates, nothing XML refuses
            noise += c;
    }
    sms->SetAttribute(L"noise", noise.c_str());
    ASSERT_TRUE(doc.SaveDocument());

    std::vector<BYTE> block;
    ASSERT_TRUE(ReadBytes(Stored().Get(), block));
    uint32_t sizeField = 0;
    const std::wstring text = Inflate(block, sizeField);
    EXPECT_GT(block.size() - 4, sizeField) << "the case where the stream outgrows the text";
    EXPECT_EQ(TextOf(*root), text);
}

TEST_F(QuillonDocTest, NothingIsSavedOrReportedSavedWithoutAPlaceForIt)
{
    doc.GetRoot();
    host.SetActiveCanvas(-1);  // no active canvas
    EXPECT_FALSE(doc.SaveDocument());
    host.SetActiveCanvas(0);
    scene.Unlink(light);  // no "Global Light": the host raises for the name
    EXPECT_FALSE(doc.SaveDocument());
    EXPECT_EQ((std::vector<int>{kHintSaving, kHintSaving}), view.hints);
}

struct CorruptBlock {
    const char* what;
    CSimValue value;
    bool isByteArray;  // LoadFromScene's answer
};

std::vector<BYTE> Packed(const std::wstring& text)
{
    std::vector<BYTE> block;
    EXPECT_TRUE(PackDocumentText(text, block));
    return block;
}

std::vector<BYTE> WithSizeField(std::vector<BYTE> block, uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        block[static_cast<size_t>(i)] = static_cast<BYTE>(size >> (8 * i));
    return block;
}

// An array named VT_ARRAY | VT_I1 whose memory begins with `bytes`: read as
// one dimension of bytes it would pass for a stored document.
CSimValue ArrayStartingWith(const std::vector<BYTE>& bytes, VARTYPE elementType, UINT dimensions)
{
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(bytes.size()), 0}, {2, 0}};
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_I1;
    v.parray = SafeArrayCreate(elementType, dimensions, bounds);
    void* data = nullptr;
    SafeArrayAccessData(v.parray, &data);
    memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(v.parray);
    CSimValue value(v);
    VariantClear(&v);
    return value;
}

TEST_F(QuillonDocTest, ACorruptBlockLeavesNoDocumentAndNoCrash)
{
    const std::wstring text = L"<Quillon>\r\n<PieChart enable=\"1\">\r\n</PieChart>\r\n</Quillon>\r\n";
    const std::vector<BYTE> good = Packed(text);
    std::vector<BYTE> garbage = good;
    for (size_t i = 6; i < garbage.size(); ++i)
        garbage[i] ^= 0x5A;
    const std::vector<CorruptBlock> cases = {
        {"under four bytes", CSimValue::Bytes({0x10, 0, 0}), true},
        {"no bytes at all", CSimValue::Bytes({}), true},
        {"size field 0xFFFFFFFE", CSimValue::Bytes(WithSizeField(good, 0xFFFFFFFEu)), true},
        {"size field over what deflate can reach", CSimValue::Bytes(WithSizeField(good, 0x00FFFFF0u)), true},
        {"size field smaller than the text", CSimValue::Bytes(WithSizeField(good, 8)), true},
        {"odd size field", CSimValue::Bytes(WithSizeField(good, static_cast<uint32_t>(text.size() * 2 + 1))), true},
        {"a damaged stream", CSimValue::Bytes(garbage), true},
        {"a string value", CSimValue(std::wstring(L"<Quillon/>")), false},
        {"a two-dimensional array", ArrayStartingWith(good, VT_I1, 2), true},
        {"another element type", CSimValue::Bytes(good, VT_UI1), false},
        {"four-byte elements named as bytes", ArrayStartingWith(good, VT_I4, 1), true},
    };
    std::unique_ptr<CHostScene> activeScene;
    CHostApplication application;
    application.Attach(host.Application());
    activeScene = application.GetActiveCanvas()->GetScene();
    for (const CorruptBlock& c : cases) {
        SCOPED_TRACE(c.what);
        Store(c.value);
        CQuillonDoc reader;
        reader.SetApplication(host.Application());
        EXPECT_EQ(c.isByteArray, reader.LoadFromScene(*activeScene));
        reader.LoadFromActiveScene();
        EXPECT_EQ(L"<Quillon>\r\n</Quillon>\r\n", TextOf(*reader.GetRoot())) << "an empty document";
    }

    // The good block reads from a lower bound of 1, and with a size field
    // above the text's the text ends where zlib's output ends.
    for (const CSimValue& readable : {CSimValue::Bytes(good, VT_I1, 1),
                                      CSimValue::Bytes(WithSizeField(good, static_cast<uint32_t>(text.size() * 2 + 100)))}) {
        Store(readable);
        CQuillonDoc reader;
        reader.SetApplication(host.Application());
        reader.LoadFromActiveScene();
        EXPECT_EQ(text, TextOf(*reader.GetRoot()));
    }
    std::wstring unpacked;
    const std::vector<BYTE> oversized = WithSizeField(good, static_cast<uint32_t>(text.size() * 2 + 100));
    ASSERT_TRUE(UnpackDocumentText(oversized.data(), oversized.size(), unpacked));
    EXPECT_EQ(text, unpacked) << "nothing after zlib's output";
}

} // namespace
