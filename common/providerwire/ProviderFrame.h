#pragma once
// The data providers' wire framing, spoken by the chart control's client and
// the provider program alike: "<", four upper-case hex digits per UTF-16
// unit, ">".

#include <cstddef>
#include <string>

#include "common/xml/XmlNode.h"

// The frame of `text`: 4n+2 bytes for n units.
std::string EncodeProviderFrame(const std::wstring& text);

// Decodes the digits between the brackets. False, with `text` untouched,
// when the length is not a multiple of four or a byte is not "0"-"9"/"A"-"F".
bool DecodeProviderPayload(const char* payload, size_t length, std::wstring& text);

// The XML tree of a payload under a nameless container. Null when the digits
// do not decode, the text is not a complete XML document, or an attribute
// value holding a reference is so long that the reader would take seconds.
// COM must be initialised.
CXmlNodePtr ParseProviderPayload(const char* payload, size_t length);
