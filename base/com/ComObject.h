#pragma once
// Base of this code base's own COM objects: IUnknown for the interfaces
// listed, over the one reference count (RefCounted.h). The first interface
// is the object's identity. QueryInterface answers IUnknown and each listed
// interface; an object that answers more (a base interface through one of
// the listed ones, an IID known only at run time) adds it in FindInterface.

#include <windows.h>
#include <unknwn.h>

#include "base/com/RefCounted.h"

// The IID of a listed interface. An interface whose header declares no
// __uuidof gets a specialisation beside the object that lists it.
template <typename Interface>
const IID& InterfaceIid()
{
    return __uuidof(Interface);
}

template <typename Primary, typename... Others>
class ComObject : public Primary, public Others... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) final
    {
        if (!object)
            return E_POINTER;
        *object = FindInterface(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() final { return m_count.Increment(); }
    STDMETHODIMP_(ULONG) Release() final { return m_count.Decrement(this); }
    // The references held at this moment, for leak checks.
    long RefCount() const { return m_count.Value(); }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // The interface `iid` names, or null; adds no reference.
    virtual void* FindInterface(REFIID iid)
    {
        if (IsEqualIID(iid, IID_IUnknown))
            return static_cast<Primary*>(this);
        void* found = Listed<Primary>(iid);
        ((found = found ? found : Listed<Others>(iid)), ...);
        return found;
    }

private:
    friend class ReferenceCount;

    template <typename Interface>
    void* Listed(REFIID iid)
    {
        return IsEqualIID(iid, InterfaceIid<Interface>()) ? static_cast<Interface*>(this) : nullptr;
    }

    ReferenceCount m_count;
};
