#pragma once
// A shared pointer to a value that is not itself reference counted: the
// count lives in a holder beside the value. A holder marked unshareable is
// never shared; a pointer made from it gets a holder with its own copy.

#include "base/com/RefCounted.h"
#include "base/com/RefPtr.h"

namespace nsSP {

class RCObject : public RefCounted {
public:
    void MarkUnshareable() { m_shareable = false; }
    bool IsShareable() const { return m_shareable; }
    bool IsShared() const { return RefCount() > 1; }

protected:
    RCObject() = default;
    ~RCObject() override = default;

private:
    bool m_shareable = true;
};

template <typename T>
class RCIPtr {
public:
    // Takes ownership of `value`.
    explicit RCIPtr(T* value = nullptr) : m_holder(RefPtr<CountHolder>::Adopt(new CountHolder(value))) {}
    RCIPtr(const RCIPtr& other) : m_holder(Share(other.m_holder)) {}
    RCIPtr& operator=(const RCIPtr& other)
    {
        if (m_holder.Get() != other.m_holder.Get())
            m_holder = Share(other.m_holder);
        return *this;
    }

    T* operator->() const { return m_holder->value; }
    T& operator*() const { return *m_holder->value; }
    T* Get() const { return m_holder->value; }

    // The holder, to mark it unshareable or ask whether it is shared.
    RCObject& Holder() const { return *m_holder; }

private:
    struct CountHolder : RCObject {
        explicit CountHolder(T* owned) : value(owned) {}
        CountHolder(const CountHolder&) = delete;
        CountHolder& operator=(const CountHolder&) = delete;
        ~CountHolder() override { delete value; }
        T* value;
    };

    static RefPtr<CountHolder> Share(const RefPtr<CountHolder>& holder)
    {
        if (holder->IsShareable())
            return holder;
        return RefPtr<CountHolder>::Adopt(new CountHolder(holder->value ? new T(*holder->value) : nullptr));
    }

    RefPtr<CountHolder> m_holder;
};

}  // namespace nsSP
