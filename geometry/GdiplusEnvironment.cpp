// GDI+ for the whole test run: shape controllers build GDI+ paths.
#include <gtest/gtest.h>

#include <memory>

#include "geometry/GdiplusSession.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_session = std::make_unique<CGdiplusSession>();
        ASSERT_TRUE(m_session->IsStarted());
    }
    void TearDown() override { m_session.reset(); }

private:
    std::unique_ptr<CGdiplusSession> m_session;
};

::testing::Environment* const g_gdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
