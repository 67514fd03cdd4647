#pragma once
// The one reference count of this code base's own objects: atomic, so any
// thread may take and drop references. It starts at the creator's one
// reference; the last Release deletes the object through its virtual
// destructor.

#include <windows.h>

#include <atomic>

// The count alone, for RefCounted and ComObject.
class ReferenceCount {
public:
    ULONG Increment() { return ++m_count; }
    // Increments unless the count already reached 0 (the owner is being
    // deleted); false then.
    bool IncrementUnlessZero()
    {
        ULONG count = m_count.load();
        while (count != 0)
            if (m_count.compare_exchange_weak(count, count + 1))
                return true;
        return false;
    }
    // Deletes `owner` when that was the last reference. `owner` is the
    // class that holds this count, so it is deleted from its own address.
    template <typename Owner>
    ULONG Decrement(Owner* owner)
    {
        const ULONG count = --m_count;
        if (count == 0)
            delete owner;
        return count;
    }
    long Value() const { return static_cast<long>(m_count.load()); }

private:
    std::atomic<ULONG> m_count{1};
};

class RefCounted {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    ULONG AddRef() { return m_count.Increment(); }
    ULONG Release() { return m_count.Decrement(this); }
    // A new reference for a lookup that may meet the object while its last
    // Release deletes it: false (no reference) once that has begun.
    bool TryAddRef() { return m_count.IncrementUnlessZero(); }
    // The references held at this moment, for leak checks and sharing tests.
    long RefCount() const { return m_count.Value(); }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    friend class ReferenceCount;
    ReferenceCount m_count;
};
