#include "base/com/ComObject.h"

#include <gtest/gtest.h>

#include <ocidl.h>
#include <oleidl.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/com/RefPtr.h"

namespace {

// Two interfaces, IPersist answered through IPersistStream as well; counts
// its own destruction.
class CProbe final : public ComObject<IPersistStream, IOleWindow> {
public:
    explicit CProbe(int& destroyed) : m_destroyed(destroyed) {}

    STDMETHODIMP GetClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(IStream*) override { return E_NOTIMPL; }
    STDMETHODIMP Save(IStream*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~CProbe() override { ++m_destroyed; }

    void* FindInterface(REFIID iid) override
    {
        if (IsEqualIID(iid, IID_IPersist))
            return static_cast<IPersistStream*>(this);
        return ComObject::FindInterface(iid);
    }

    int& m_destroyed;
};

TEST(ComObject, AnswersTheListedInterfacesOfOneObject)
{
    int destroyed = 0;
    const RefPtr<CProbe> probe = RefPtr<CProbe>::Adopt(new CProbe(destroyed));
    IUnknown* const identity = static_cast<IPersistStream*>(probe.Get());
    struct Case {
        const IID* iid;
        void* expected;
    };
    const Case cases[] = {
        {&IID_IUnknown, identity},
        {&IID_IPersistStream, static_cast<IPersistStream*>(probe.Get())},
        {&IID_IPersist, static_cast<IPersistStream*>(probe.Get())},
        {&IID_IOleWindow, static_cast<IOleWindow*>(probe.Get())},
        {&IID_IDispatch, nullptr},
        {&IID_IOleInPlaceObject, nullptr},
    };
    for (const Case& c : cases) {
        void* answer = reinterpret_cast<void*>(1);
        const HRESULT hr = probe->QueryInterface(*c.iid, &answer);
        EXPECT_EQ(c.expected ? S_OK : E_NOINTERFACE, hr);
        EXPECT_EQ(c.expected, answer);
        EXPECT_EQ(c.expected ? 2 : 1, probe->RefCount()) << "one reference for each answer";
        if (answer) {
            RefPtr<IUnknown> part = RefPtr<IUnknown>::Adopt(static_cast<IUnknown*>(answer));
            RefPtr<IUnknown> same;
            EXPECT_EQ(S_OK, part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(same.Put())));
            EXPECT_EQ(identity, same.Get());
        }
    }
    EXPECT_EQ(E_POINTER, probe->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(1, probe->RefCount());
    EXPECT_EQ(0, destroyed);
}

TEST(ComObject, TheLastReleaseDestroysOnce)
{
    int destroyed = 0;
    CProbe* probe = new CProbe(destroyed);
    EXPECT_EQ(1, probe->RefCount()) << "the creator's reference";
    EXPECT_EQ(2u, probe->AddRef());
    EXPECT_EQ(1u, probe->Release());
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(0u, probe->Release());
    EXPECT_EQ(1, destroyed);
}

TEST(ComObject, ThreadsShareTheCount)
{
    int destroyed = 0;
    CProbe* probe = new CProbe(destroyed);
    // All start together, so their increments and decrements interleave.
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([probe, &go] {
            while (!go)
                std::this_thread::yield();
            for (int i = 0; i < 1000000; ++i) {
                probe->AddRef();
                probe->Release();
            }
        });
    }
    go = true;
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, destroyed);
    EXPECT_EQ(1, probe->RefCount()) << "no increment or decrement lost";
    probe->Release();
    EXPECT_EQ(1, destroyed);
}

}  // namespace
