// Members of the property collection a property editor receives.
#include <algorithm>

#include "testing/simhost/SimHost.h"

namespace {

constexpr SimKind Get = SimKind::Get;
constexpr SimKind Put = SimKind::Put;
constexpr SimKind Method = SimKind::Method;

// The declarations of the collection's group that the node's object type carries.
std::vector<const SimPropertyDeclaration*> Declared(CSimProperties& p)
{
    std::vector<const SimPropertyDeclaration*> found = p.Host()->DeclarationsOf(p.node.ObjectType());
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&p](const SimPropertyDeclaration* d) { return d->group != p.group; }),
                found.end());
    return found;
}

const SimPropertyDeclaration& DeclarationOf(CSimProperty& p)
{
    const SimPropertyDeclaration* d = p.Host()->Declaration(p.node.ObjectType(), p.group, p.name);
    if (!d)
        throw CSimHostError(L"Property " + p.name + L" is no longer declared");
    return *d;
}

} // namespace

const CSimClass& CSimProperties::Type()
{
    static const CSimClass type(L"Properties", {
        Member<CSimProperties>(L"Count", Get, {}, VT_I4, [](CSimProperties& p, CSimCall& c) {
            c.ReturnLong(static_cast<long>(Declared(p).size()));
        }),
        Member<CSimProperties>(L"ByIndex", Method, {VT_I4}, VT_DISPATCH, [](CSimProperties& p, CSimCall& c) {
            const auto declared = Declared(p);
            const long index = c.Long(0);
            if (index < 0 || static_cast<size_t>(index) >= declared.size())
                c.ReturnNull();
            else
                c.ReturnObject(&p.node.PropertyObject(p.group, declared[index]->name));
        }),
        Member<CSimProperties>(L"ByName", Method, {VT_BSTR}, VT_DISPATCH, [](CSimProperties& p, CSimCall& c) {
            if (c.Host().Declaration(p.node.ObjectType(), p.group, c.String(0)))
                c.ReturnObject(&p.node.PropertyObject(p.group, c.String(0)));
            else
                c.ReturnNull();
        }),
        Member<CSimProperties>(L"OwnerElement", Get, {}, VT_DISPATCH, [](CSimProperties& p, CSimCall& c) {
            c.ReturnObject(p.node.elements.empty() ? nullptr : p.node.elements.front());
        }),
    });
    return type;
}

const CSimClass& CSimProperty::Type()
{
    static const CSimClass type(L"Property", {
        Member<CSimProperty>(L"Default", Get, {}, VT_BSTR, [](CSimProperty& p, CSimCall& c) {
            c.ReturnString(DeclarationOf(p).defaultValue);
        }),
        Member<CSimProperty>(L"Type", Get, {}, VT_I4, [](CSimProperty& p, CSimCall& c) { c.ReturnLong(DeclarationOf(p).type); }),
        Member<CSimProperty>(L"Options", Get, {}, VT_BSTR, [](CSimProperty& p, CSimCall& c) {
            c.ReturnString(DeclarationOf(p).last);
        }),
        Member<CSimProperty>(L"Name", Get, {}, VT_BSTR, [](CSimProperty& p, CSimCall& c) { c.ReturnString(p.name); }),
        Member<CSimProperty>(L"Value", Get, {}, VT_VARIANT, [](CSimProperty& p, CSimCall& c) {
            c.ReturnValue(c.Host().PropertyValue(p.node, p.group, p.name));
        }),
        Member<CSimProperty>(L"Value", Put, {VT_BSTR}, VT_EMPTY, [](CSimProperty& p, CSimCall& c) {
            DeclarationOf(p);
            p.node.properties[p.group][p.name] = CSimValue(c.String(0));
        }),
    });
    return type;
}
