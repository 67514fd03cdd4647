#pragma once
// The in-memory XML element of the whole system: a name, one text, attributes
// in name order and element children in insertion order, reference counted.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "base/com/RefCounted.h"
#include "base/com/RefPtr.h"

// Live nodes in the process (plain arithmetic: nodes are used by one thread).
extern long g_xmlNodeCount;

class CXmlNode final : public RefCounted {
public:
    // A root without parent or name (the SAX reader names and attaches it later).
    CXmlNode();
    // Appended to `parent` when given: the creation reference then belongs to
    // the parent and the caller only borrows the node.
    CXmlNode(CXmlNode* parent, const wchar_t* name);
    // Attributes: setting an existing name replaces its value.
    void SetAttribute(const wchar_t* name, const wchar_t* value);
    void SetAttributeCounted(const wchar_t* name, int nameCount, const wchar_t* value, int valueCount);
    // Room for `count` attributes in all, so that setting them allocates once.
    void ReserveAttributes(int count);
    void SetAttributeInt(const wchar_t* name, int value);
    // `format` is a wide printf format for one double, e.g. L"%.2f".
    void SetAttributeDouble(const wchar_t* name, double value, const wchar_t* format);
    // The chart control's form: always "%.8f".
    void SetAttributeDouble(const wchar_t* name, double value);

    bool GetAttributeString(const wchar_t* name, std::wstring& value) const;
    // A new copy (delete[] it); nothing allocated when absent.
    bool GetAttributeCopy(const wchar_t* name, wchar_t** copy) const;
    bool GetAttributeInt(const wchar_t* name, int& value) const;
    bool GetAttributeDouble(const wchar_t* name, double& value) const;

    // Attributes by position in name order; null at or past the count.
    int GetAttributeCount() const;
    const wchar_t* GetAttributeName(int position) const;
    const wchar_t* GetAttributeValue(int position) const;

    const wchar_t* GetName() const { return m_name.c_str(); }
    void SetNameCounted(const wchar_t* chars, int count);
    const wchar_t* GetText() const { return m_text.c_str(); }
    void SetText(const wchar_t* text);
    void AppendText(const wchar_t* chars, int count);
    void TrimText();

    void SetParent(CXmlNode* parent) { m_parent = parent; }
    CXmlNode* GetParent() const { return m_parent; }
    // Appends without adding a reference: the caller hands its reference over.
    // A node is listed by one parent at most.
    void AddChild(CXmlNode* child);
    // Releases the child once and drops it from the list; no-op for a stranger.
    void RemoveChild(CXmlNode* child);
    // Children by position in insertion order, borrowed; null at or past the count.
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CXmlNode* GetChild(int position) const
    {
        return position >= 0 && position < GetChildCount() ? m_children[static_cast<size_t>(position)] : nullptr;
    }

    // Dotted-path lookups; the node returned carries one added reference.
    // FindChild: `index` counts the matches of the first segment, deeper
    // segments take their first match.
    CXmlNode* FindChild(const wchar_t* path, int index);
    // The chart control's lookup: every segment but the last takes its first
    // match, `index` counts the matches of the last segment.
    CXmlNode* FindChildAtLastSegment(const wchar_t* path, int index);
    // First match of `path` (last-segment form) whose attribute equals `value`.
    CXmlNode* FindChildWithAttribute(const wchar_t* path, const wchar_t* attribute, const wchar_t* value);

    // Text form: CR LF after every tag, text as CDATA, attributes in name order;
    // a unit XML cannot carry (controls, lone surrogates, U+FFFE/U+FFFF) is
    // written as U+FFFD.
    void WriteToString(std::wstring& out) const;
    // The same characters to an open stream (no byte-order mark written).
    void WriteToFile(FILE* stream) const;

private:
    // Frees the children through a list, never by nested calls: no depth of
    // tree can exhaust the stack.
    ~CXmlNode() override;

    // The child that is match number `index` (from 0) of a path segment, borrowed.
    CXmlNode* MatchOf(const wchar_t* segment, size_t length, int index) const;
    // The writer's text before the children (start tag, text) and after them.
    void WriteHead(std::wstring& out, std::wstring& scratch) const;
    void WriteTail(std::wstring& out, std::wstring& scratch) const;

    struct Attribute {
        std::wstring name;
        std::wstring value;
    };
    // Where an attribute of this name is, or would go in name order.
    size_t AttributePlace(std::wstring_view name) const;
    // The value stored under the name, or null.
    const std::wstring* FindAttribute(const wchar_t* name) const;
    void StoreAttribute(const wchar_t* name, size_t nameCount, const wchar_t* value, size_t valueCount);

    // In code-unit order of the names, each name once: a reader hands them
    // over in document order, which our own writer makes name order, so
    // setting them appends.
    std::vector<Attribute> m_attributes;
    std::vector<CXmlNode*> m_children;
    CXmlNode* m_parent = nullptr;
    std::wstring m_name;
    std::wstring m_text;
};

using CXmlNodePtr = RefPtr<CXmlNode>;
