#pragma once
// What every wrapper of HostMemberTable.h is made of: its DISPID cells
// (the wrapper's own, or one set per class for the whole process) and its
// members, expanded from its rows.

#include <memory>
#include <type_traits>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

#define HOST_FORWARD_CLASS(Tag) class CHost##Tag;
HOST_CLASSES(HOST_FORWARD_CLASS)
#undef HOST_FORWARD_CLASS

// Cells of the wrapper's own, looked up at every attach: the first
// `CellCount` names of the class's list.
template <typename TNames, size_t CellCount = TNames::NameCount>
class CHostOwnCells : public CHostObject {
public:
    // Takes over the caller's reference.
    void Attach(IDispatch* dispatch)
    {
        AttachDispatch(dispatch, true);
        ResolveNames(dispatch, TNames::list, m_ids);
    }

protected:
    using Names = TNames;
    DISPID Id(int cell) const { return m_ids[cell]; }

private:
    DISPID m_ids[CellCount] = {};
};

// One set of cells for every object of the class, filled by the first
// attach of the process (whatever its lookups answer) and kept.
template <typename TNames>
class CHostSharedCells : public CHostObject {
public:
    // Takes over the caller's reference.
    void Attach(IDispatch* dispatch)
    {
        AttachDispatch(dispatch, true);
        ResolveNamesOnce(dispatch, TNames::list, s_ids, s_resolved);
    }

protected:
    using Names = TNames;
    static DISPID Id(int cell) { return s_ids[cell]; }

private:
    static inline DISPID s_ids[TNames::NameCount] = {};
    static inline bool s_resolved = false;
};

// A wrapper made of its rows alone, with cells of its own.
#define HOST_WRAPPER_CLASS(Tag)                              \
    class CHost##Tag : public CHostOwnCells<Host##Tag##Names> {    \
    public:                                                  \
        HOST_MEMBERS(Tag)                                    \
    };

// Frees a wrapper that a member returned, releasing its host object.
template <typename TWrapper>
void DeleteHostObject(TWrapper* wrapper)
{
    static_assert(std::is_base_of_v<CHostObject, TWrapper>, "not a host wrapper");
    delete wrapper;
}

// --- Expanding a class's rows ----------------------------------------------
// Inside the class body: HOST_MEMBERS(Tag). Typed rows are declared there
// and defined in a source file where every result class is complete:
//     #define HOST_CLASS CHostTag
//     HOST_DEFINE_MEMBERS(Tag)
//     #undef HOST_CLASS
// Open rows (the host's own argument and answer types) are defined inline:
// the arguments go as the caller's types convert (see HostArgument.h), the
// answer comes as the host gave it.

#define HOST_MEMBERS(Tag) HOST_##Tag##_MEMBERS(HOST_DECLARE_TYPED, HOST_DECLARE_OPEN, HOST_DECLARE_OPEN_OBJECT)
#define HOST_DEFINE_MEMBERS(Tag) HOST_##Tag##_MEMBERS(HOST_DEFINE_TYPED, HOST_NOTHING, HOST_NOTHING)

#define HOST_DECLARE_TYPED(Function, Cell, Kind, Result, Params, Args) Result Function Params;
#define HOST_DEFINE_TYPED(Function, Cell, Kind, Result, Params, Args)                            \
    Result HOST_CLASS::Function Params                                                         \
    {                                                                                          \
        return CallMember<Result>(Id(Names::Cell), HostCall::Kind, std::forward_as_tuple Args); \
    }
#define HOST_NOTHING(...)

#define HOST_DECLARE_OPEN(Function, Cell, Kind) HOST_OPEN_##Kind(Function, Cell)
// A get or method: the answer, then any arguments.
#define HOST_OPEN_Get(Function, Cell) HOST_OPEN_ANSWER(Function, Cell, DISPATCH_PROPERTYGET)
#define HOST_OPEN_Method(Function, Cell) HOST_OPEN_ANSWER(Function, Cell, DISPATCH_METHOD)
#define HOST_OPEN_ANSWER(Function, Cell, Flags)                                 \
    template <typename... A>                                                    \
    void Function(ScopedVariant& answer, A&&... a)                              \
    {                                                                           \
        CallVariant(answer, Id(Names::Cell), Flags, std::forward<A>(a)...);     \
    }
// A put: any index arguments, then the new value.
#define HOST_OPEN_Put(Function, Cell)                                           \
    template <typename... A>                                                    \
    void Function(A&&... a)                                                     \
    {                                                                           \
        static_assert(sizeof...(A) > 0, "a put needs its value");               \
        CallVoid(Id(Names::Cell), DISPATCH_PROPERTYPUT, std::forward<A>(a)...); \
    }
// Any arguments; the answer is a new wrapper of class Wrapper, or null.
#define HOST_DECLARE_OPEN_OBJECT(Function, Cell, Kind, Wrapper)                                           \
    template <typename... A>                                                                              \
    std::unique_ptr<Wrapper> Function(A&&... a)                                                           \
    {                                                                                                     \
        return CallObject<Wrapper>(Id(Names::Cell), HostCallFlags(HostCall::Kind), std::forward<A>(a)...); \
    }
