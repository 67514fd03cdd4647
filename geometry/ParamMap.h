#pragma once
// The bar object's parameters, declared once in an XML text: default, full
// name and kind of every id. Built once, read-only afterwards.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "common/xml/XmlNode.h"

enum ParamKind : int32_t {
    kParamCustom = -1,
    kParamInteger = 0,
    kParamDouble = 1,
    kParamBoolean = 2,
    kParamMenu = 3,
    kParamButton = 4,
    kParamJump = 5,
};

struct ParamValue {
    int32_t kind = kParamCustom;
    int32_t intValue = 0;        // every kind but kParamDouble
    double doubleValue = 0.0;    // kParamDouble
};

class CParamMap {
public:
    CParamMap() = default;
    CParamMap(const CParamMap&) = delete;
    CParamMap& operator=(const CParamMap&) = delete;

    // From the "BINARY" resource of `module`; true when the text parsed.
    // Any failure leaves the tables empty. COM must be initialised.
    bool LoadFromModule(HMODULE module);
    bool LoadFromBytes(const char* bytes, size_t size);

    const std::map<int32_t, double>& Defaults() const { return m_defaults; }
    const std::map<std::wstring, int32_t>& IdsByName() const { return m_idsByName; }
    const std::map<int32_t, std::wstring>& NamesById() const { return m_namesById; }
    const std::map<int32_t, ParamValue>& ValuesById() const { return m_valuesById; }

    // The parsed text under a nameless root, for the dialogs that read the
    // attributes the tables leave out; null when nothing parsed.
    CXmlNode* Tree() const { return m_tree.Get(); }

    // Full name of `id`, empty when the map does not hold it.
    std::wstring FullName(int32_t id) const;

private:
    void Clear();
    void ParseParamElement(int depth, CXmlNode* element);
    void Walk(int depth, CXmlNode* element);

    CXmlNodePtr m_tree;   // lives as long as the map
    std::map<int32_t, double> m_defaults;
    std::map<std::wstring, int32_t> m_idsByName;
    std::map<int32_t, std::wstring> m_namesById;
    std::map<int32_t, ParamValue> m_valuesById;
};

// The module's map.
extern CParamMap g_paramMap;
