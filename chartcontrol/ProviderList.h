#pragma once
// providers.xml beside the control: the list of data providers by name.

#include <string>

#include "chartcontrol/Provider.h"
#include "common/xml/XmlNode.h"

// Reads a UTF-16 little-endian file whose first two bytes (the byte-order
// mark) are skipped, and parses it. `root` gets the nameless container.
// False for a missing, empty, odd-sized or oversized file or a failed parse.
bool LoadXmlFile(const std::wstring& path, CXmlNodePtr& root);

// The provider named `name` (exact, case-sensitive) in the providers.xml
// beside the control, read anew on every call; null, with a log line, when
// there is none.
CProviderPtr FindProvider(const std::wstring& name);

// The same lookup in a given providers file.
CProviderPtr FindProviderInFile(const std::wstring& providersPath, const std::wstring& name);
