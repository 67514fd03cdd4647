#pragma once
// For a thread that makes many short-lived objects of the same few classes
// (Scrivane's one thread makes a script engine and a SAX reader for every
// request): the class factories, class ids and type libraries it looks up,
// kept while the cache lives. Every object is still made new; only the
// lookups in the registry and the loading of type libraries are saved.
//
// The cache belongs to the thread that makes it and serves that thread only.
// It must go before the thread's COM apartment ends.
//
// An object that lives longer than one call on its thread (a control the
// host calls again and again) keeps a cache of the Kept kind: it is the
// thread's cache only inside a Use, and a Use on any other thread (so in any
// other apartment) leaves that thread as it was.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "base/com/RefPtr.h"

class CThreadClassCache {
public:
    // Becomes the calling thread's cache; an inner one hides the outer one
    // until it goes.
    CThreadClassCache();
    struct Kept {};
    explicit CThreadClassCache(Kept);
    ~CThreadClassCache();
    CThreadClassCache(const CThreadClassCache&) = delete;
    CThreadClassCache& operator=(const CThreadClassCache&) = delete;

    // The calling thread's cache, or null.
    static CThreadClassCache* Current();

    // Makes a kept cache the calling thread's for the Use's scope, when the
    // thread is the one that made the cache.
    class Use {
    public:
        explicit Use(CThreadClassCache& cache);
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

    private:
        CThreadClassCache* const m_previous;
        const bool m_active;
    };

    // A new object from the class's kept factory (looked up at first use).
    HRESULT CreateInstance(REFCLSID classId, DWORD context, REFIID iid, void** object);
    HRESULT ClassIdFromProgId(const std::wstring& progId, CLSID& classId);

    RefPtr<ITypeLib> FindTypeLibrary(REFGUID libraryId, WORD major, WORD minor) const;
    void KeepTypeLibrary(REFGUID libraryId, WORD major, WORD minor, ITypeLib* library);

private:
    struct Factory {
        CLSID classId;
        DWORD context;
        RefPtr<IClassFactory> factory;
    };
    struct ProgId {
        std::wstring name;
        CLSID classId;
    };
    struct TypeLibrary {
        GUID libraryId;
        WORD major;
        WORD minor;
        RefPtr<ITypeLib> library;
    };

    const DWORD m_thread;
    const bool m_installed;   // made current by its constructor
    CThreadClassCache* const m_previous;
    std::vector<Factory> m_factories;
    std::vector<ProgId> m_progIds;
    std::vector<TypeLibrary> m_typeLibraries;
};

// CoCreateInstance, through the calling thread's cache when it has one.
HRESULT CreateComInstance(REFCLSID classId, DWORD context, REFIID iid, void** object);
// CLSIDFromProgID, through the calling thread's cache when it has one.
HRESULT ClassIdFromProgId(const std::wstring& progId, CLSID& classId);
