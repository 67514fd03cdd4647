#include "common/xml/XmlNode.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string_view>

#include "common/storedvalues/CNumbers.h"

long g_xmlNodeCount = 0;

namespace {

bool IsXmlTrimSpace(wchar_t c)
{
    return c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r' || c == L' ';
}

wchar_t AsciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// A name matches a segment when it begins with it, ASCII letters without case.
bool NameMatchesSegment(const std::wstring& name, const wchar_t* segment, size_t length)
{
    if (name.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (AsciiLower(name[i]) != AsciiLower(segment[i]))
            return false;
    }
    return true;
}

struct PathHead {
    const wchar_t* segment;
    size_t length;
    const wchar_t* rest;   // after the ".", or null when this is the last segment
};

PathHead SplitPath(const wchar_t* path)
{
    if (!path)
        path = L"";
    const wchar_t* dot = wcschr(path, L'.');
    if (!dot)
        return {path, wcslen(path), nullptr};
    return {path, static_cast<size_t>(dot - path), dot + 1};
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// How many units at `i` form one character XML 1.0 can carry: 2 for a
// surrogate pair, 1 for a single unit, 0 for a unit no reader accepts.
size_t WritableUnitsAt(const std::wstring& text, size_t i)
{
    const wchar_t c = text[i];
    if (c < 0x20)
        return (c == L'\t' || c == L'\n' || c == L'\r') ? 1 : 0;
    if (IsHighSurrogate(c))
        return i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 0;
    if (IsLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
        return 0;
    return 1;
}

// `text` with every unit that XML cannot carry replaced by U+FFFD: one bad
// character must not make a reader reject the whole document.
const std::wstring& Writable(const std::wstring& text, std::wstring& scratch)
{
    size_t i = 0;
    size_t units = 0;
    while (i < text.size() && (units = WritableUnitsAt(text, i)) != 0)
        i += units;
    if (i == text.size())
        return text;
    scratch.assign(text, 0, i);
    while (i < text.size()) {
        units = WritableUnitsAt(text, i);
        if (units == 0) {
            scratch += L'\xFFFD';
            ++i;
        } else {
            scratch.append(text, i, units);
            i += units;
        }
    }
    return scratch;
}

// Attribute values: everything the reader would change or choke on becomes a
// character reference, so any value reads back as written.
void AppendEscapedAttribute(std::wstring& out, const std::wstring& value)
{
    for (wchar_t c : value) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        case L'\t': out += L"&#9;"; break;
        case L'\n': out += L"&#10;"; break;
        case L'\r': out += L"&#13;"; break;
        default: out += c; break;
        }
    }
}

// Text as CDATA sections. A "]]>" inside is split over two sections. Line
// breaks go between sections: CR as a character reference (a reader turns a
// raw CR into LF), LF raw (Wine's reader drops what follows a line break
// inside a CDATA section).
void AppendCData(std::wstring& out, const std::wstring& text)
{
    bool open = false;
    const auto openSection = [&] { if (!open) { out += L"<![CDATA["; open = true; } };
    const auto closeSection = [&] { if (open) { out += L"]]>"; open = false; } };
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            closeSection();
            out += L"&#13;";
        } else if (c == L'\n') {
            closeSection();
            out += L'\n';
        } else if (c == L']' && text.compare(i, 3, L"]]>") == 0) {
            openSection();
            out += L"]]";
            closeSection();
            openSection();
            out += L'>';
            i += 2;
        } else {
            openSection();
            out += c;
        }
    }
    closeSection();
    out += L"\r\n";
}

}  // namespace

CXmlNode::CXmlNode()
{
    ++g_xmlNodeCount;
}

CXmlNode::CXmlNode(CXmlNode* parent, const wchar_t* name)
    : m_parent(parent), m_name(name ? name : L"")
{
    ++g_xmlNodeCount;
    if (parent)
        parent->m_children.push_back(this);
}

namespace {

// Children whose parent went and that wait for their release on this thread,
// linked through their parent pointers (nobody may follow those any more).
thread_local CXmlNode* t_orphans = nullptr;
// Set while a destructor on this thread releases the orphans.
thread_local bool t_releasingOrphans = false;

}  // namespace

CXmlNode::~CXmlNode()
{
    --g_xmlNodeCount;
    // The children go on a list rather than being released from here: a
    // last release inside would destroy the child's children from within
    // this call, one nested call per level, and a tree built in code may be
    // deeper than any stack.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        (*it)->m_parent = t_orphans;
        t_orphans = *it;
    }
    if (t_releasingOrphans)
        return;  // the destructor further up this thread's stack releases them
    t_releasingOrphans = true;
    while (CXmlNode* orphan = t_orphans) {
        t_orphans = orphan->m_parent;
        orphan->m_parent = nullptr;  // a child held elsewhere outlives its parent
        orphan->Release();           // its own last release adds its children here
    }
    t_releasingOrphans = false;
}

size_t CXmlNode::AttributePlace(std::wstring_view name) const
{
    const auto place = std::lower_bound(m_attributes.begin(), m_attributes.end(), name,
                                        [](const Attribute& attribute, std::wstring_view key) { return attribute.name < key; });
    return static_cast<size_t>(place - m_attributes.begin());
}

void CXmlNode::StoreAttribute(const wchar_t* name, size_t nameCount, const wchar_t* value, size_t valueCount)
{
    const std::wstring_view key(name, nameCount);
    size_t place = m_attributes.size();
    if (place > 0 && key <= std::wstring_view(m_attributes.back().name)) {
        place = AttributePlace(key);
        if (std::wstring_view(m_attributes[place].name) == key) {
            m_attributes[place].value.assign(value, valueCount);
            return;
        }
    }
    m_attributes.insert(m_attributes.begin() + static_cast<std::ptrdiff_t>(place),
                        Attribute{std::wstring(key), std::wstring(value, valueCount)});
}

const std::wstring* CXmlNode::FindAttribute(const wchar_t* name) const
{
    const std::wstring_view key(name ? name : L"");
    const size_t place = AttributePlace(key);
    return place < m_attributes.size() && std::wstring_view(m_attributes[place].name) == key
               ? &m_attributes[place].value
               : nullptr;
}

void CXmlNode::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (!name)
        name = L"";
    if (!value)
        value = L"";
    StoreAttribute(name, wcslen(name), value, wcslen(value));
}

void CXmlNode::SetAttributeCounted(const wchar_t* name, int nameCount, const wchar_t* value, int valueCount)
{
    StoreAttribute(name, nameCount > 0 ? static_cast<size_t>(nameCount) : 0, value,
                   valueCount > 0 ? static_cast<size_t>(valueCount) : 0);
}

void CXmlNode::ReserveAttributes(int count)
{
    if (count > 0)
        m_attributes.reserve(static_cast<size_t>(count));
}

void CXmlNode::SetAttributeInt(const wchar_t* name, int value)
{
    SetAttribute(name, std::to_wstring(value).c_str());
}

void CXmlNode::SetAttributeDouble(const wchar_t* name, double value, const wchar_t* format)
{
    SetAttribute(name, FormatCDouble(format, value).c_str());
}

void CXmlNode::SetAttributeDouble(const wchar_t* name, double value)
{
    SetAttributeDouble(name, value, L"%.8f");
}

bool CXmlNode::GetAttributeString(const wchar_t* name, std::wstring& value) const
{
    const std::wstring* found = FindAttribute(name);
    if (!found) {
        value.clear();
        return false;
    }
    value = *found;
    return true;
}

bool CXmlNode::GetAttributeCopy(const wchar_t* name, wchar_t** copy) const
{
    const std::wstring* found = FindAttribute(name);
    if (!found)
        return false;
    wchar_t* text = new wchar_t[found->size() + 1];
    wmemcpy(text, found->c_str(), found->size() + 1);
    *copy = text;
    return true;
}

bool CXmlNode::GetAttributeInt(const wchar_t* name, int& value) const
{
    const std::wstring* found = FindAttribute(name);
    if (!found)
        return false;
    value = static_cast<int>(wcstol(found->c_str(), nullptr, 10));
    return true;
}

bool CXmlNode::GetAttributeDouble(const wchar_t* name, double& value) const
{
    const std::wstring* found = FindAttribute(name);
    if (!found)
        return false;
    value = ParseLeadingCDouble(*found);
    return true;
}

int CXmlNode::GetAttributeCount() const
{
    return static_cast<int>(m_attributes.size());
}

const wchar_t* CXmlNode::GetAttributeName(int position) const
{
    if (position < 0 || position >= GetAttributeCount())
        return nullptr;
    return m_attributes[static_cast<size_t>(position)].name.c_str();
}

const wchar_t* CXmlNode::GetAttributeValue(int position) const
{
    if (position < 0 || position >= GetAttributeCount())
        return nullptr;
    return m_attributes[static_cast<size_t>(position)].value.c_str();
}

void CXmlNode::SetNameCounted(const wchar_t* chars, int count)
{
    m_name.assign(chars, count > 0 ? count : 0);
}

void CXmlNode::SetText(const wchar_t* text)
{
    m_text = text ? text : L"";
}

void CXmlNode::AppendText(const wchar_t* chars, int count)
{
    if (count > 0)
        m_text.append(chars, count);
}

void CXmlNode::TrimText()
{
    size_t first = 0;
    while (first < m_text.size() && IsXmlTrimSpace(m_text[first]))
        ++first;
    size_t end = m_text.size();
    while (end > first && IsXmlTrimSpace(m_text[end - 1]))
        --end;
    m_text.erase(end);
    m_text.erase(0, first);
}

void CXmlNode::AddChild(CXmlNode* child)
{
    m_children.push_back(child);
}

void CXmlNode::RemoveChild(CXmlNode* child)
{
    for (auto it = m_children.begin(); it != m_children.end(); ++it) {
        if (*it == child) {
            m_children.erase(it);
            child->Release();
            return;
        }
    }
}

CXmlNode* CXmlNode::MatchOf(const wchar_t* segment, size_t length, int index) const
{
    int match = 0;
    for (CXmlNode* child : m_children) {
        if (NameMatchesSegment(child->m_name, segment, length) && match++ == index)
            return child;
    }
    return nullptr;
}

CXmlNode* CXmlNode::FindChild(const wchar_t* path, int index)
{
    CXmlNode* node = this;
    for (PathHead head = SplitPath(path);; head = SplitPath(head.rest)) {
        node = node->MatchOf(head.segment, head.length, index);
        if (!node || !head.rest)
            break;
        index = 0;  // deeper segments take their first match
    }
    if (node)
        node->AddRef();
    return node;
}

CXmlNode* CXmlNode::FindChildAtLastSegment(const wchar_t* path, int index)
{
    CXmlNode* node = this;
    for (PathHead head = SplitPath(path);; head = SplitPath(head.rest)) {
        node = node->MatchOf(head.segment, head.length, head.rest ? 0 : index);
        if (!node || !head.rest)
            break;
    }
    if (node)
        node->AddRef();
    return node;
}

CXmlNode* CXmlNode::FindChildWithAttribute(const wchar_t* path, const wchar_t* attribute, const wchar_t* value)
{
    for (int index = 0;; ++index) {
        CXmlNode* match = FindChildAtLastSegment(path, index);
        if (!match)
            return nullptr;
        std::wstring found;
        if (match->GetAttributeString(attribute, found) && found == (value ? value : L""))
            return match;
        match->Release();
    }
}

void CXmlNode::WriteToString(std::wstring& out) const
{
    std::wstring scratch;
    // The open elements and the next child of each, on a list of our own: a
    // tree built in code may be deeper than the stack would take in calls.
    struct Open {
        const CXmlNode* node;
        size_t next;
    };
    std::vector<Open> open;
    WriteHead(out, scratch);
    open.push_back({this, 0});
    while (!open.empty()) {
        Open& top = open.back();
        if (top.next < top.node->m_children.size()) {
            const CXmlNode* child = top.node->m_children[top.next++];
            child->WriteHead(out, scratch);
            open.push_back({child, 0});
        } else {
            top.node->WriteTail(out, scratch);
            open.pop_back();
        }
    }
}

void CXmlNode::WriteHead(std::wstring& out, std::wstring& scratch) const
{
    if (!m_name.empty()) {
        out += L'<';
        out += Writable(m_name, scratch);
        for (const Attribute& attribute : m_attributes) {
            out += L' ';
            out += Writable(attribute.name, scratch);
            out += L"=\"";
            AppendEscapedAttribute(out, Writable(attribute.value, scratch));
            out += L'"';
        }
        out += L">\r\n";
    }
    if (!m_text.empty())
        AppendCData(out, Writable(m_text, scratch));
}

void CXmlNode::WriteTail(std::wstring& out, std::wstring& scratch) const
{
    if (!m_name.empty()) {
        out += L"</";
        out += Writable(m_name, scratch);
        out += L">\r\n";
    }
}

void CXmlNode::WriteToFile(FILE* stream) const
{
    std::wstring text;
    WriteToString(text);
    fputws(text.c_str(), stream);
}
