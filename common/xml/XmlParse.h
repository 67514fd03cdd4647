#pragma once
// Reading an XML text into a CXmlNode tree through the MSXML SAX2 reader.

#include <windows.h>

#include <string>

#include "common/xml/XmlNode.h"

// Parses `text` under a new nameless root. S_OK means the whole text was read.
// On a parse failure the result is the reader's error and `root` still holds
// the elements that were complete or open at the failure; when the reader or
// the handler cannot be set up, `root` is left empty. COM must be initialised.
HRESULT ParseXmlText(const std::wstring& text, CXmlNodePtr& root);
