#include "base/com/ThreadClassCache.h"

#include <gtest/gtest.h>

#include <oleidl.h>

#include <thread>

#include "base/com/ComObject.h"
#include "base/com/ScopedComApartment.h"

namespace {

// {5C3E1F0A-7B2D-4E61-9A8C-3D4F5E6A7B8C}: registered only by these tests.
const CLSID kProbeClass = {0x5c3e1f0a, 0x7b2d, 0x4e61, {0x9a, 0x8c, 0x3d, 0x4f, 0x5e, 0x6a, 0x7b, 0x8c}};

class CProbeObject final : public ComObject<IOleWindow> {
public:
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
};

class CProbeFactory final : public ComObject<IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        ++made;
        const RefPtr<CProbeObject> probe = RefPtr<CProbeObject>::Adopt(new CProbeObject());
        return probe->QueryInterface(iid, object);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

    int made = 0;
};

// The probe class, registered in this apartment for the test's time.
class ClassCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com);
        ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(kProbeClass, factory.Get(), CLSCTX_INPROC_SERVER,
                                                       REGCLS_MULTIPLEUSE, &registration));
    }
    void TearDown() override { Revoke(); }
    void Revoke()
    {
        if (registration)
            CoRevokeClassObject(registration);
        registration = 0;
    }
    static HRESULT Make(RefPtr<IOleWindow>& object)
    {
        return CreateComInstance(kProbeClass, CLSCTX_INPROC_SERVER, IID_IOleWindow,
                                 reinterpret_cast<void**>(object.Put()));
    }

    const ScopedComApartment com;
    const RefPtr<CProbeFactory> factory = RefPtr<CProbeFactory>::Adopt(new CProbeFactory());
    DWORD registration = 0;
};

TEST_F(ClassCacheTest, EveryObjectIsNewWhileTheFactoryIsLookedUpOnce)
{
    const CThreadClassCache cache;
    RefPtr<IOleWindow> first, second, third;
    ASSERT_HRESULT_SUCCEEDED(Make(first));
    Revoke(); // a second lookup would find no class now
    ASSERT_HRESULT_SUCCEEDED(Make(second));
    ASSERT_HRESULT_SUCCEEDED(Make(third));
    EXPECT_EQ(factory->made, 3);
    EXPECT_NE(first.Get(), second.Get());
    EXPECT_NE(second.Get(), third.Get());
}

TEST_F(ClassCacheTest, WithoutACacheEveryObjectIsLookedUp)
{
    RefPtr<IOleWindow> object;
    ASSERT_HRESULT_SUCCEEDED(Make(object));
    Revoke();
    EXPECT_EQ(Make(object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(factory->made, 1);
}

TEST_F(ClassCacheTest, TheCacheLetsGoOfWhatItKeptWhenItGoes)
{
    const long before = factory->RefCount();
    {
        const CThreadClassCache cache;
        EXPECT_EQ(CThreadClassCache::Current(), &cache);
        RefPtr<IOleWindow> object;
        ASSERT_HRESULT_SUCCEEDED(Make(object));
        EXPECT_EQ(factory->RefCount(), before + 1) << "kept by the cache";
        Revoke();
        {
            const CThreadClassCache inner;
            EXPECT_EQ(CThreadClassCache::Current(), &inner);
        }
        EXPECT_EQ(CThreadClassCache::Current(), &cache) << "an inner cache gives the thread back";
    }
    EXPECT_EQ(CThreadClassCache::Current(), nullptr);
    EXPECT_EQ(factory->RefCount(), before - 1) << "the registration's reference went with Revoke";
}

TEST_F(ClassCacheTest, ACacheServesOnlyItsOwnThread)
{
    const CThreadClassCache cache;
    const CThreadClassCache* seen = &cache;
    std::thread other([&] { seen = CThreadClassCache::Current(); });
    other.join();
    EXPECT_EQ(seen, nullptr);
}

TEST_F(ClassCacheTest, AKeptCacheServesOnlyInsideAUseOnItsOwnThread)
{
    CThreadClassCache kept{CThreadClassCache::Kept{}};
    EXPECT_EQ(CThreadClassCache::Current(), nullptr) << "kept, not yet in use";
    RefPtr<IOleWindow> object;
    {
        const CThreadClassCache::Use use(kept);
        EXPECT_EQ(CThreadClassCache::Current(), &kept);
        ASSERT_HRESULT_SUCCEEDED(Make(object));
    }
    EXPECT_EQ(CThreadClassCache::Current(), nullptr);
    Revoke();
    {
        const CThreadClassCache::Use use(kept);
        ASSERT_HRESULT_SUCCEEDED(Make(object)) << "the factory kept from the first use";
    }
    EXPECT_EQ(Make(object), REGDB_E_CLASSNOTREG) << "outside a use the thread looks the class up";
    const CThreadClassCache* seen = &kept;
    std::thread other([&] {
        const CThreadClassCache::Use use(kept);
        seen = CThreadClassCache::Current();
    });
    other.join();
    EXPECT_EQ(seen, nullptr) << "another thread's use changes nothing";
    EXPECT_EQ(factory->made, 2);
}

}  // namespace
