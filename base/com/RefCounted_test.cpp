#include "base/com/RefCounted.h"

#include <gtest/gtest.h>

#include "base/com/RefPtr.h"

namespace {

// Counts its destruction; asks for a new reference from inside it, as a
// lookup on another thread may meet an object there.
class CCounted final : public RefCounted {
public:
    CCounted(int& destroyed, bool& grantedWhileDestroyed)
        : m_destroyed(destroyed), m_grantedWhileDestroyed(grantedWhileDestroyed)
    {
    }

private:
    ~CCounted() override
    {
        m_grantedWhileDestroyed = TryAddRef();
        ++m_destroyed;
    }

    int& m_destroyed;
    bool& m_grantedWhileDestroyed;
};

TEST(RefCounted, TryAddRefTakesAReferenceFromALiveObject)
{
    int destroyed = 0;
    bool granted = false;
    const RefPtr<CCounted> counted = RefPtr<CCounted>::Adopt(new CCounted(destroyed, granted));
    ASSERT_TRUE(counted->TryAddRef());
    EXPECT_EQ(2, counted->RefCount());
    counted->Release();
    EXPECT_EQ(1, counted->RefCount());
    EXPECT_EQ(0, destroyed);
}

TEST(RefCounted, TryAddRefRefusesAnObjectWhoseLastReleaseHasBegun)
{
    int destroyed = 0;
    bool granted = true;
    CCounted* counted = new CCounted(destroyed, granted);
    counted->Release();
    EXPECT_EQ(1, destroyed);
    EXPECT_FALSE(granted) << "no reference from an object that is being deleted";
}

}  // namespace
