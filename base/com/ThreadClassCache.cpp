#include "base/com/ThreadClassCache.h"

namespace {

thread_local CThreadClassCache* t_cache = nullptr;

}  // namespace

CThreadClassCache::CThreadClassCache() : m_thread(GetCurrentThreadId()), m_installed(true), m_previous(t_cache)
{
    t_cache = this;
}

CThreadClassCache::CThreadClassCache(Kept) : m_thread(GetCurrentThreadId()), m_installed(false), m_previous(nullptr)
{
}

CThreadClassCache::~CThreadClassCache()
{
    if (m_installed)
        t_cache = m_previous;
}

CThreadClassCache::Use::Use(CThreadClassCache& cache)
    : m_previous(t_cache), m_active(cache.m_thread == GetCurrentThreadId())
{
    if (m_active)
        t_cache = &cache;
}

CThreadClassCache::Use::~Use()
{
    if (m_active)
        t_cache = m_previous;
}

CThreadClassCache* CThreadClassCache::Current()
{
    return t_cache;
}

HRESULT CThreadClassCache::CreateInstance(REFCLSID classId, DWORD context, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    for (const Factory& kept : m_factories) {
        if (IsEqualCLSID(kept.classId, classId) && kept.context == context) {
            factory = kept.factory.Get();
            break;
        }
    }
    if (!factory) {
        RefPtr<IClassFactory> found;
        const HRESULT hr = CoGetClassObject(classId, context, nullptr, IID_IClassFactory,
                                            reinterpret_cast<void**>(found.Put()));
        if (FAILED(hr))
            return hr;
        if (!found)
            return E_NOINTERFACE;
        factory = found.Get();
        m_factories.push_back({classId, context, std::move(found)});
    }
    return factory->CreateInstance(nullptr, iid, object);
}

HRESULT CThreadClassCache::ClassIdFromProgId(const std::wstring& progId, CLSID& classId)
{
    for (const ProgId& kept : m_progIds) {
        if (_wcsicmp(kept.name.c_str(), progId.c_str()) == 0) {
            classId = kept.classId;
            return S_OK;
        }
    }
    const HRESULT hr = CLSIDFromProgID(progId.c_str(), &classId);
    if (SUCCEEDED(hr))
        m_progIds.push_back({progId, classId});
    return hr;
}

RefPtr<ITypeLib> CThreadClassCache::FindTypeLibrary(REFGUID libraryId, WORD major, WORD minor) const
{
    for (const TypeLibrary& kept : m_typeLibraries) {
        if (IsEqualGUID(kept.libraryId, libraryId) && kept.major == major && kept.minor == minor)
            return kept.library;
    }
    return nullptr;
}

void CThreadClassCache::KeepTypeLibrary(REFGUID libraryId, WORD major, WORD minor, ITypeLib* library)
{
    if (library && !FindTypeLibrary(libraryId, major, minor))
        m_typeLibraries.push_back({libraryId, major, minor, RefPtr<ITypeLib>(library)});
}

HRESULT CreateComInstance(REFCLSID classId, DWORD context, REFIID iid, void** object)
{
    if (CThreadClassCache* cache = CThreadClassCache::Current())
        return cache->CreateInstance(classId, context, iid, object);
    return CoCreateInstance(classId, nullptr, context, iid, object);
}

HRESULT ClassIdFromProgId(const std::wstring& progId, CLSID& classId)
{
    if (CThreadClassCache* cache = CThreadClassCache::Current())
        return cache->ClassIdFromProgId(progId, classId);
    return CLSIDFromProgID(progId.c_str(), &classId);
}
