#pragma once
// Whether a text may stand as an element or attribute name in the documents
// this system writes: an XML 1.0 Name without ":" (a prefix that no
// declaration binds makes a namespace-aware reader refuse the document).

#include <string>

bool IsXmlName(const std::wstring& name);
