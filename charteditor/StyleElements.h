#pragma once
// The chart document's style elements: the catalogue `Attributes` of named,
// typed `Attribute`s and the list `Styles` of `Style`s, each holding one
// `Attribute` (name, type, value) per catalogue entry it was made with.
// Children are looked up by their exact element name.

#include <string>
#include <vector>

#include "common/xml/XmlNode.h"

struct CatalogueEntry {
    std::wstring name;
    std::wstring type;
};

// A name as it is stored: TAB, CR and LF taken out (they would break a list
// line), then white space trimmed at either end.
std::wstring CleanStyleName(const std::wstring& name);
// Names match without regard to case, white space at either end aside.
bool SameStyleName(const std::wstring& a, const std::wstring& b);

// The first child of exactly that element name, or null.
CXmlNodePtr FindElement(CXmlNode& parent, const wchar_t* name);
// The children of exactly that element name, in order.
std::vector<CXmlNodePtr> ElementsNamed(CXmlNode& parent, const wchar_t* name);

// The catalogue entries that have both a name and a type.
std::vector<CatalogueEntry> ReadCatalogue(CXmlNode& root);
// Replaces `Attributes` with the entries; no element at all for none.
void WriteCatalogue(CXmlNode& root, const std::vector<CatalogueEntry>& entries);

// The styles that have a name.
std::vector<CXmlNodePtr> ReadStyles(CXmlNode& root);
// A new last `Style` in `Styles` (made when missing), with an empty value for
// every entry.
CXmlNodePtr AddStyle(CXmlNode& root, const std::wstring& name, const std::vector<CatalogueEntry>& entries);
// The style's attributes that have a name, a type and a value.
std::vector<CXmlNodePtr> ReadStyleAttributes(CXmlNode& style);

// The attribute's text, empty when it has none.
std::wstring AttributeText(const CXmlNode& node, const wchar_t* attribute);
