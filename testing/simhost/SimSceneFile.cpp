#include "testing/simhost/SimSceneFile.h"

#include <cstdio>
#include <cwchar>
#include <vector>

#include "base/errors/FailureReport.h"
#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"
#include "base/win/UniqueHandle.h"
#include "common/xml/XmlParse.h"
#include "testing/simhost/SimHost.h"

namespace {

constexpr long kMaxFileBytes = 4 * 1024 * 1024;

bool ReadText(const std::wstring& path, std::wstring& text, std::wstring& error)
{
    UniqueStdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) {
        error = L"cannot open the file";
        return false;
    }
    std::vector<char> bytes;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file.Get())) > 0) {
        if (bytes.size() + got > static_cast<size_t>(kMaxFileBytes)) {
            error = L"the file is too large";
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
        return true;
    }
    size_t start = bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF' ? 3 : 0;
    std::optional<std::wstring> decoded =
        ExactNarrowToWide(std::string_view(bytes.data() + start, bytes.size() - start), CP_UTF8);
    if (!decoded) {
        error = L"the file is not UTF-8 text";
        return false;
    }
    text = std::move(*decoded);
    return true;
}

// The declaration's encoding is that of the bytes, not of the wide text the
// reader gets; and the reader refuses white space before the first element.
std::wstring WithoutDeclaration(const std::wstring& text)
{
    const wchar_t* const space = L" \t\r\n";
    size_t begin = text.find_first_not_of(space);
    if (begin == std::wstring::npos)
        return std::wstring();
    if (text.compare(begin, 5, L"<?xml") == 0) {
        const size_t end = text.find(L"?>", begin);
        if (end == std::wstring::npos)
            return text.substr(begin);
        begin = text.find_first_not_of(space, end + 2);
        if (begin == std::wstring::npos)
            return std::wstring();
    }
    return text.substr(begin);
}

std::wstring Attribute(CXmlNode& node, const wchar_t* name, const wchar_t* fallback = L"")
{
    std::wstring value;
    return node.GetAttributeString(name, value) ? value : fallback;
}

long Number(CXmlNode& node, const wchar_t* name, long fallback)
{
    int value = 0;
    return node.GetAttributeInt(name, value) ? value : fallback;
}

double Real(CXmlNode& node, const wchar_t* name)
{
    double value = 0.0;
    return node.GetAttributeDouble(name, value) ? value : 0.0;
}

// The children named exactly `name` (the path lookup also takes longer names).
std::vector<CXmlNodePtr> Children(CXmlNode& node, const wchar_t* name)
{
    std::vector<CXmlNodePtr> found;
    for (int i = 0;; ++i) {
        CXmlNodePtr child = CXmlNodePtr::Adopt(node.FindChild(name, i));
        if (!child)
            return found;
        if (wcscmp(child->GetName(), name) == 0)
            found.push_back(child);
    }
}

// Content the loader cannot take; LoadSceneText reports its text.
struct CSceneFileError {
    std::wstring text;
};

// Pairs of hexadecimal digits; anything else is a bad file.
std::vector<BYTE> HexBytes(const std::wstring& text)
{
    auto digit = [](wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        return -1;
    };
    std::vector<BYTE> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            throw CSceneFileError{L"bytes must be pairs of hexadecimal digits"};
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
    }
    if (text.size() % 2 != 0)
        throw CSceneFileError{L"bytes must be pairs of hexadecimal digits"};
    return bytes;
}

bool IsInteger(const std::wstring& text)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    wcstol(text.c_str(), &end, 10);
    return end && *end == L'\0';
}

class CSceneLoader {
public:
    explicit CSceneLoader(CSimHost& host) : m_host(host) {}

    bool LoadHost(CXmlNode& root)
    {
        CSimVersion& version = m_host.Version();
        version.major = Number(root, L"major", version.major);
        version.minor = Number(root, L"minor", version.minor);
        version.build = Number(root, L"build", version.build);
        for (const CXmlNodePtr& r : Children(root, L"Registry")) {
            const std::wstring value = Attribute(*r, L"value");
            const bool text = Attribute(*r, L"type") == L"string" || !IsInteger(value);
            m_host.Registry()[{Attribute(*r, L"section"), Attribute(*r, L"key")}] =
                text ? CSimValue(value) : CSimValue(wcstol(value.c_str(), nullptr, 10));
        }
        for (const CXmlNodePtr& d : Children(root, L"Declare"))
            m_host.DeclareProperty(SimPropertyDeclaration{Attribute(*d, L"group"), Attribute(*d, L"name"),
                                                          Number(*d, L"type", 0), Attribute(*d, L"default"),
                                                          SplitList(Attribute(*d, L"objecttypes")), L""});
        size_t index = 0;
        for (const CXmlNodePtr& fb : Children(root, L"FrameBuffer")) {
            CSimFrameBuffer& buffer = m_host.FrameBuffer(index);
            buffer.boardNumber = Number(*fb, L"board", static_cast<long>(index));
            CSimScene* focus = nullptr;
            for (const CXmlNodePtr& scene : Children(*fb, L"Scene")) {
                CSimScene& loaded = LoadScene(*scene, index);
                if (!focus || Number(*scene, L"focus", 0) != 0)
                    focus = &loaded;
            }
            if (focus)
                buffer.focus = focus;
            ++index;
        }
        return true;
    }

    CSimScene& LoadScene(CXmlNode& element, size_t frameBuffer)
    {
        CSimScene& scene = m_host.AddScene(Attribute(element, L"name", L"Untitled"), frameBuffer);
        scene.animationLength = Number(element, L"length", scene.animationLength);
        for (const CXmlNodePtr& t : Children(element, L"Transition"))
            m_host.AddTransition(scene, Attribute(*t, L"name"));
        for (const CXmlNodePtr& t : Children(element, L"Template"))
            m_host.AddTemplate(scene, Attribute(*t, L"name"), Attribute(*t, L"text"));
        for (const CXmlNodePtr& b : Children(element, L"Background"))
            m_host.SetBackground(scene, Attribute(*b, L"image"));
        for (const CXmlNodePtr& n : Children(element, L"Node")) {
            const std::wstring name = Attribute(*n, L"name");
            CSimNode* light = name == L"Global Light" ? scene.nodes.front() : nullptr;
            LoadNode(*n, scene, nullptr, light);
        }
        return scene;
    }

    // A nodes file: its nodes join the end of the scene's top level.
    void MergeNodes(CXmlNode& element, CSimScene& scene)
    {
        for (const CXmlNodePtr& n : Children(element, L"Node"))
            LoadNode(*n, scene, nullptr, nullptr);
    }

private:
    static std::vector<std::wstring> SplitList(const std::wstring& list)
    {
        std::vector<std::wstring> items;
        size_t start = 0;
        while (start <= list.size() && !list.empty()) {
            const size_t comma = list.find(L',', start);
            items.push_back(list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
            if (comma == std::wstring::npos)
                break;
            start = comma + 1;
        }
        return items;
    }

    void LoadNode(CXmlNode& element, CSimScene& scene, CSimNode* parent, CSimNode* existing)
    {
        CSimNode& node = existing ? *existing
                                  : m_host.AddNode(scene, Attribute(element, L"name"),
                                                   Number(element, L"type", SimNodeObject), parent);
        node.objectType = Attribute(element, L"class", node.objectType.c_str());
        node.visible = Number(element, L"visible", 1) != 0;
        for (const CXmlNodePtr& e : Children(element, L"Element")) {
            const std::wstring kind = Attribute(*e, L"kind", L"text");
            if (kind == L"image")
                m_host.AddElement(node, Attribute(*e, L"name"), SimElementImage, Attribute(*e, L"image"));
            else if (kind == L"movie")
                m_host.AddElement(node, Attribute(*e, L"name"), SimElementMovie, Attribute(*e, L"file"));
            else
                m_host.AddElement(node, Attribute(*e, L"name"), SimElementText, Attribute(*e, L"text"));
        }
        for (const CXmlNodePtr& p : Children(element, L"Property")) {
            std::wstring bytes;
            node.properties[Attribute(*p, L"group")][Attribute(*p, L"name")] =
                p->GetAttributeString(L"bytes", bytes) ? CSimValue::Bytes(HexBytes(bytes))
                                                       : CSimValue(Attribute(*p, L"value"));
        }
        for (const CXmlNodePtr& param : Children(element, L"Param"))
            node.geometryParams[Number(*param, L"id", -1)] = Real(*param, L"value");
        for (const CXmlNodePtr& k : Children(element, L"KeyFrame"))
            node.TransformOf(Attribute(*k, L"transition", scene.activeTransition.c_str()))
                .keyFrames->Add(Number(*k, L"frame", 0), Number(*k, L"attribute", 0), Real(*k, L"value"),
                                Number(*k, L"interpolation", 0));
        for (const CXmlNodePtr& child : Children(element, L"Node"))
            LoadNode(*child, scene, &node, nullptr);
    }

    CSimHost& m_host;
};

void Line(std::wstring& out, int depth, const std::wstring& text)
{
    out.append(static_cast<size_t>(depth) * 2, L' ');
    out += text;
    out += L"\r\n";
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

void DescribeNode(std::wstring& out, CSimHost& host, CSimNode& node, int depth)
{
    Line(out, depth, L"Node " + Quoted(node.name) + L" type " + std::to_wstring(node.type) + L" " +
                         node.ObjectType() + (node.visible ? L"" : L" (hidden)"));
    for (CSimElement* e : node.elements) {
        std::wstring text = L"Element " + Quoted(e->name);
        if (e->text)
            text += L" text " + Quoted(e->text->text);
        else if (e->image)
            text += L" image " + Quoted(e->image->source);
        else
            text += L" file " + Quoted(e->filename);
        Line(out, depth + 1, text);
    }
    for (const SimPropertyDeclaration* d : host.DeclarationsOf(node.ObjectType()))
        Line(out, depth + 1, L"Property " + d->group + L" " + d->name + L" = " +
                                 Quoted(DescribeValue(host.PropertyValue(node, d->group, d->name).Get())));
    float bottom = 0, top = 0;
    if (const CStandInGeoObject* bar = host.Geometry().ObjectOf(node))
        Line(out, depth + 1, MeshHeights(*bar, bottom, top)
                                 ? FormatWide(L"Geometry Vantre: %d vertices, from %.3f to %.3f high", bar->VertexCount(),
                                              bottom, top)
                                 : std::wstring(L"Geometry Vantre: no vertices"));
    for (const auto& entry : node.transforms)
        for (const CSimKeyFrame* k : entry.second->keyFrames->frames)
            Line(out, depth + 1, L"KeyFrame " + (entry.first.empty() ? L"(default)" : entry.first) + L" frame " +
                                     std::to_wstring(k->frame) + L" attribute " + std::to_wstring(k->attribute) +
                                     L" = " + FormatWide(L"%g", k->value) + L" interpolation " + std::to_wstring(k->interpolation));
    for (CSimNode* child : node.children)
        DescribeNode(out, host, *child, depth + 1);
}

} // namespace

bool LoadSceneText(CSimHost& host, const std::wstring& text, std::wstring& error)
{
    CXmlNodePtr root;
    const HRESULT hr = ParseXmlText(WithoutDeclaration(text), root);
    if (FAILED(hr) || !root) {
        error = L"not well-formed XML (" + HResultText(hr) + L")";
        return false;
    }
    CSceneLoader loader(host);
    try {
        const std::vector<CXmlNodePtr> lyric = Children(*root, L"Lyric");
        if (!lyric.empty())
            return loader.LoadHost(*lyric.front());
        const std::vector<CXmlNodePtr> scene = Children(*root, L"Scene");
        if (!scene.empty()) {
            loader.LoadScene(*scene.front(), static_cast<size_t>(host.ActiveFrameBuffer()));
            return true;
        }
        const std::vector<CXmlNodePtr> nodes = Children(*root, L"Nodes");
        if (!nodes.empty()) {
            CSimScene* current = host.ActiveScene();
            if (!current) {
                error = L"there is no scene to take the nodes";
                return false;
            }
            loader.MergeNodes(*nodes.front(), *current);
            return true;
        }
    } catch (const CSceneFileError& bad) {
        error = bad.text;
        return false;
    }
    error = L"the document is neither a Lyric, a Scene nor a Nodes element";
    return false;
}

bool LoadSceneFile(CSimHost& host, const std::wstring& path, std::wstring& error)
{
    std::wstring text;
    return ReadText(path, text, error) && LoadSceneText(host, text, error);
}

std::wstring DescribeHost(CSimHost& host)
{
    std::wstring out;
    const CSimVersion& version = host.Version();
    Line(out, 0, L"Lyric " + std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L" build " +
                     std::to_wstring(version.build));
    for (const auto& entry : host.Registry())
        Line(out, 0, L"Registry " + entry.first.first + L"\\" + entry.first.second + L" = " +
                         Quoted(DescribeValue(entry.second.Get())));
    for (size_t i = 0; i < host.FrameBuffers().size(); ++i) {
        CSimFrameBuffer& fb = *host.FrameBuffers()[i];
        Line(out, 0, L"FrameBuffer " + std::to_wstring(i) + L" board " + std::to_wstring(fb.boardNumber) +
                         (static_cast<long>(i) == host.ActiveFrameBuffer() ? L" (on the canvas)" : L""));
        for (CSimScene* scene : fb.scenes) {
            std::wstring transitions;
            for (CSimTransition* t : scene->transitions)
                transitions += (transitions.empty() ? L"" : L", ") + t->name;
            Line(out, 1, L"Scene " + Quoted(scene->name) + L" " + std::to_wstring(scene->animationLength) +
                             L" frames" + (scene == fb.focus ? L" (focus)" : L"") +
                             (transitions.empty() ? L"" : L", transitions " + transitions));
            if (scene->background)
                Line(out, 2, L"Background image " + Quoted(scene->background->image->source));
            for (CSimElement* t : scene->templates)
                Line(out, 2, L"Template " + Quoted(t->name) + L" text " + Quoted(t->text->text));
            for (CSimNode* node : scene->nodes)
                DescribeNode(out, host, *node, 2);
        }
    }
    return out;
}
