#pragma once
// For a thread that makes many short-lived objects of the same few classes
// (Scrivane's one thread makes a script engine and a SAX reader for every
// request): the class factories, class ids and type libraries it looks up,
// kept while the cache lives. Every object is still made new; only the
// lookups in the registry and the loading of type libraries are saved.
//
// The cache belongs to the thread that makes it and serves that thread only.
// It must go before the thread's COM apartment ends.

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
    ~CThreadClassCache();
    CThreadClassCache(const CThreadClassCache&) = delete;
    CThreadClassCache& operator=(const CThreadClassCache&) = delete;

    // The calling thread's cache, or null.
    static CThreadClassCache* Current();

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

    CThreadClassCache* const m_previous;
    std::vector<Factory> m_factories;
    std::vector<ProgId> m_progIds;
    std::vector<TypeLibrary> m_typeLibraries;
};

// CoCreateInstance, through the calling thread's cache when it has one.
HRESULT CreateComInstance(REFCLSID classId, DWORD context, REFIID iid, void** object);
// CLSIDFromProgID, through the calling thread's cache when it has one.
HRESULT ClassIdFromProgId(const std::wstring& progId, CLSID& classId);
