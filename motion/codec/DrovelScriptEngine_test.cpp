// What the codec's engine host writes when a script fails.
#include "motion/codec/DrovelScriptEngine.h"

#include <gtest/gtest.h>

#include "base/com/ScopedComApartment.h"
#include "motion/codec/ScriptVariables.h"
#include "testing/debugoutput/DebugOutputCapture.h"

namespace {

TEST(DrovelScriptEngine, AScriptErrorGoesToTheDebuggerWithItsSourceAndPosition)
{
    const ScopedComApartment com;
    ASSERT_TRUE(com);
    const struct {
        const wchar_t* body;
        const wchar_t* line;  // null: nothing is written
    } cases[] = {
        {L"  Err.Raise 5, \"feed\", \"bad feed\"\n", L"Error feed ad line 2, char 2\n"},
        {L"  Dim a\n  a = \"x\" * 2\n", L"Error Microsoft VBScript runtime error ad line 3, char 2\n"},
        {L"  Err.Raise 13, \"feed\", \"(Script Error: Type mismatch) in quote\"\n", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.body);
        ScriptVariables variables;
        RefPtr<CDrovelObject> object;
        RefPtr<CScriptEngine> host = CreateDrovelScriptEngine(L"test", &variables, object);
        ASSERT_TRUE(host);
        host->SetScriptText(std::wstring(L"Dim g\nSub Fail()\n") + c.body + L"End Sub\n");
        ASSERT_TRUE(host->CreateEngine());
        ASSERT_TRUE(host->RunScript());
        DebugOutputCapture output;
        EXPECT_FALSE(host->CallSub(L"Fail"));
        const std::vector<std::wstring> expected = c.line ? std::vector<std::wstring>{c.line}
                                                          : std::vector<std::wstring>{};
        EXPECT_EQ(output.Texts(), expected);
        EXPECT_TRUE(host->Close());
    }
}

}  // namespace
