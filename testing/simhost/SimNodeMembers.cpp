// Members of nodes and what hangs below them: elements, texts, fonts, images,
// custom-property groups, keyframes, transforms and group objects.
#include "testing/simhost/SimHost.h"

#include <cstdio>

#include "base/text/TextConversion.h"

namespace {

constexpr SimKind Get = SimKind::Get;
constexpr SimKind Put = SimKind::Put;
constexpr SimKind Method = SimKind::Method;

// The transition whose keyframes the node's KeyFrames show: the active one.
CSimKeyFrames& ActiveKeyFrames(CSimNode& node)
{
    return *node.TransformOf(node.scene ? node.scene->activeTransition : std::wstring()).keyFrames;
}

bool WriteImageFile(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

} // namespace

std::string SimImageBytes(const CSimImage& image, const std::wstring& options)
{
    std::string bytes = "SIMIMAGE\r\n" + WideToNarrow(image.source + L"|" + options, CP_UTF8) + "\n";
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

const CSimClass& CSimNode::Type()
{
    static const CSimClass type(L"Node", {
        Member<CSimNode>(L"Name", Get, {}, VT_BSTR, [](CSimNode& n, CSimCall& c) { c.ReturnString(n.name); }),
        Member<CSimNode>(L"Name", Put, {VT_BSTR}, VT_EMPTY, [](CSimNode& n, CSimCall& c) { n.name = c.String(0); }),
        Member<CSimNode>(L"Type", Get, {}, VT_I4, [](CSimNode& n, CSimCall& c) { c.ReturnLong(n.type); }),
        Member<CSimNode>(L"Visible", Get, {}, VT_BOOL, [](CSimNode& n, CSimCall& c) { c.ReturnBool(n.visible); }),
        Member<CSimNode>(L"Visible", Put, {VT_BOOL}, VT_EMPTY, [](CSimNode& n, CSimCall& c) { n.visible = c.Bool(0); }),
        Member<CSimNode>(L"ChildCount", Get, {}, VT_I4, [](CSimNode& n, CSimCall& c) {
            c.ReturnLong(static_cast<long>(n.children.size()));
        }),
        Member<CSimNode>(L"GetChild", Method, {VT_I4}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            const long index = c.Long(0);
            c.ReturnObject(index >= 0 && static_cast<size_t>(index) < n.children.size() ? n.children[index] : nullptr);
        }),
        Member<CSimNode>(L"ElementCount", Get, {}, VT_I4, [](CSimNode& n, CSimCall& c) {
            c.ReturnLong(static_cast<long>(n.elements.size()));
        }),
        // -1 asks for the node's first element.
        Member<CSimNode>(L"Element", Method, {VT_I4}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            const long index = c.Long(0) == -1 ? 0 : c.Long(0);
            c.ReturnObject(index >= 0 && static_cast<size_t>(index) < n.elements.size() ? n.elements[index] : nullptr);
        }),
        Member<CSimNode>(L"Properties", Method, {VT_BSTR}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            c.ReturnObject(&n.PropertyGroup(c.String(0)));
        }),
        Member<CSimNode>(L"KeyFrames", Get, {}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            c.ReturnObject(&ActiveKeyFrames(n));
        }),
        // A transform exists for each of the scene's transitions.
        Member<CSimNode>(L"GetTransform", Method, {VT_BSTR}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            if (n.scene && n.scene->Transition(c.String(0)))
                c.ReturnObject(&n.TransformOf(c.String(0)));
            else
                c.ReturnEmpty();
        }),
        // A group answers its own group object, a node inside a group that group's.
        Member<CSimNode>(L"GetGroup", Method, {}, VT_DISPATCH, [](CSimNode& n, CSimCall& c) {
            CSimNode* group = n.type == SimNodeGroup ? &n : n.parent && n.parent->type == SimNodeGroup ? n.parent : nullptr;
            c.ReturnObject(group ? &group->GroupObject() : nullptr);
        }),
    });
    return type;
}

const CSimClass& CSimElement::Type()
{
    static const CSimClass type(L"Element", {
        Member<CSimElement>(L"Name", Get, {}, VT_BSTR, [](CSimElement& e, CSimCall& c) { c.ReturnString(e.name); }),
        Member<CSimElement>(L"Name", Put, {VT_BSTR}, VT_EMPTY, [](CSimElement& e, CSimCall& c) { e.name = c.String(0); }),
        Member<CSimElement>(L"Type", Get, {}, VT_I4, [](CSimElement& e, CSimCall& c) { c.ReturnLong(e.type); }),
        Member<CSimElement>(L"Text", Get, {}, VT_DISPATCH, [](CSimElement& e, CSimCall& c) { c.ReturnObject(e.text); }),
        Member<CSimElement>(L"Image", Get, {}, VT_DISPATCH, [](CSimElement& e, CSimCall& c) { c.ReturnObject(e.image); }),
        Member<CSimElement>(L"Filename", Get, {}, VT_BSTR, [](CSimElement& e, CSimCall& c) { c.ReturnString(e.filename); }),
        Member<CSimElement>(L"Filename", Put, {VT_BSTR}, VT_EMPTY, [](CSimElement& e, CSimCall& c) {
            e.filename = c.String(0);
        }),
        Member<CSimElement>(L"JustificationX", Put, {VT_I4}, VT_EMPTY, [](CSimElement& e, CSimCall& c) {
            e.justificationX = c.Long(0);
        }),
        Member<CSimElement>(L"JustificationY", Put, {VT_I4}, VT_EMPTY, [](CSimElement& e, CSimCall& c) {
            e.justificationY = c.Long(0);
        }),
    });
    return type;
}

const CSimClass& CSimText::Type()
{
    static const CSimClass type(L"Text", {
        Member<CSimText>(L"Text", Get, {}, VT_BSTR, [](CSimText& t, CSimCall& c) { c.ReturnString(t.text); }),
        Member<CSimText>(L"Text", Put, {VT_BSTR}, VT_EMPTY, [](CSimText& t, CSimCall& c) { t.text = c.String(0); }),
        Member<CSimText>(L"Font", Get, {}, VT_DISPATCH, [](CSimText& t, CSimCall& c) { c.ReturnObject(t.font); }),
    });
    return type;
}

const CSimClass& CSimFont::Type()
{
    static const CSimClass type(L"Font", {
        Member<CSimFont>(L"Name", Get, {}, VT_BSTR, [](CSimFont& f, CSimCall& c) { c.ReturnString(f.name); }),
        Member<CSimFont>(L"Color", Get, {}, VT_I4, [](CSimFont& f, CSimCall& c) { c.ReturnLong(f.color); }),
        Member<CSimFont>(L"Color", Put, {VT_I4}, VT_EMPTY, [](CSimFont& f, CSimCall& c) { f.color = c.Long(0); }),
    });
    return type;
}

const CSimClass& CSimImage::Type()
{
    static const CSimClass type(L"Image", {
        Member<CSimImage>(L"Save", Method, {VT_BSTR, VT_BSTR}, VT_BOOL, [](CSimImage& i, CSimCall& c) {
            i.saves.push_back(c.String(0) + L"|" + c.String(1));
            c.ReturnBool(!i.saveFails && WriteImageFile(c.String(0), SimImageBytes(i, c.String(1))));
        }),
        Member<CSimImage>(L"UsePBuffer", Get, {}, VT_BOOL, [](CSimImage& i, CSimCall& c) { c.ReturnBool(i.usePBuffer); }),
        Member<CSimImage>(L"UsePBuffer", Put, {VT_BOOL}, VT_EMPTY, [](CSimImage& i, CSimCall& c) {
            i.usePBuffer = c.Bool(0);
        }),
    });
    return type;
}

// Value is indexed by the property name; a put's value may be of any type.
const CSimClass& CSimPropertyGroup::Type()
{
    static const CSimClass type(L"PropertyGroup", {
        Member<CSimPropertyGroup>(L"Value", Get, {VT_BSTR}, VT_VARIANT, [](CSimPropertyGroup& g, CSimCall& c) {
            c.ReturnValue(c.Host().PropertyValue(g.node, g.group, c.String(0)));
        }),
        Member<CSimPropertyGroup>(L"Value", Put, {VT_BSTR, VT_VARIANT}, VT_EMPTY, [](CSimPropertyGroup& g, CSimCall& c) {
            const std::wstring name = c.String(0);
            if (!c.Host().Declaration(g.node.ObjectType(), g.group, name))
                throw CSimHostError(L"Property " + name + L" is not declared for " + g.node.ObjectType());
            g.node.properties[g.group][name] = CSimValue(c.Argument(1));
        }),
    });
    return type;
}

const CSimClass& CSimKeyFrames::Type()
{
    static const CSimClass type(L"KeyFrames", {
        Member<CSimKeyFrames>(L"Count", Get, {}, VT_I4, [](CSimKeyFrames& k, CSimCall& c) {
            c.ReturnLong(static_cast<long>(k.frames.size()));
        }),
        Member<CSimKeyFrames>(L"KeyFrame", Method, {VT_I4}, VT_DISPATCH, [](CSimKeyFrames& k, CSimCall& c) {
            const long index = c.Long(0);
            c.ReturnObject(index >= 0 && static_cast<size_t>(index) < k.frames.size() ? k.frames[index] : nullptr);
        }),
        Member<CSimKeyFrames>(L"Delete", Method, {VT_I4}, VT_EMPTY, [](CSimKeyFrames& k, CSimCall& c) {
            const long index = c.Long(0);
            if (index < 0 || static_cast<size_t>(index) >= k.frames.size())
                throw CSimHostError(L"No keyframe at that index");
            k.frames.erase(k.frames.begin() + index);
        }),
        Member<CSimKeyFrames>(L"DeleteTrack", Method, {VT_I4}, VT_EMPTY, [](CSimKeyFrames& k, CSimCall& c) {
            const long attribute = c.Long(0);
            std::vector<CSimKeyFrame*> kept;
            for (CSimKeyFrame* frame : k.frames)
                if (frame->attribute != attribute)
                    kept.push_back(frame);
            k.frames.swap(kept);
        }),
        // Frame, attribute, value and interpolation.
        Member<CSimKeyFrames>(L"Add", Method, {VT_I4, VT_I4, VT_R8, VT_I4}, VT_EMPTY, [](CSimKeyFrames& k, CSimCall& c) {
            k.Add(c.Long(0), c.Long(1), c.Double(2), c.Long(3));
        }),
    });
    return type;
}

const CSimClass& CSimKeyFrame::Type()
{
    static const CSimClass type(L"KeyFrame", {
        Member<CSimKeyFrame>(L"Attribute", Get, {}, VT_I4, [](CSimKeyFrame& k, CSimCall& c) { c.ReturnLong(k.attribute); }),
        Member<CSimKeyFrame>(L"Value", Get, {}, VT_R8, [](CSimKeyFrame& k, CSimCall& c) { c.ReturnDouble(k.value); }),
        Member<CSimKeyFrame>(L"Interpolation", Get, {}, VT_I4, [](CSimKeyFrame& k, CSimCall& c) {
            c.ReturnLong(k.interpolation);
        }),
        Member<CSimKeyFrame>(L"Frame", Get, {}, VT_I4, [](CSimKeyFrame& k, CSimCall& c) { c.ReturnLong(k.frame); }),
    });
    return type;
}

const CSimClass& CSimTransform::Type()
{
    static const CSimClass type(L"Transform", {
        Member<CSimTransform>(L"KeyFrames", Method, {}, VT_DISPATCH, [](CSimTransform& t, CSimCall& c) {
            c.ReturnObject(t.keyFrames);
        }),
    });
    return type;
}

const CSimClass& CSimGroup::Type()
{
    static const CSimClass type(L"Group", {
        Member<CSimGroup>(L"AddNode", Method, {VT_BSTR}, VT_EMPTY, [](CSimGroup& g, CSimCall& c) {
            CSimScene* scene = g.node.scene;
            CSimNode* node = scene ? scene->Find(c.String(0)) : nullptr;
            if (!node)
                throw CSimHostError(L"No object named " + c.String(0));
            if (node->IsAncestorOf(&g.node))
                throw CSimHostError(L"A group cannot hold itself");
            scene->Unlink(*node);
            node->parent = &g.node;
            g.node.children.push_back(node);
        }),
    });
    return type;
}
