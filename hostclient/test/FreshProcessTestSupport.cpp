#include "hostclient/test/FreshProcessTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/win/UniqueHandle.h"

namespace {

// The new process's command line names the event it sets as its test
// begins, so a filter that selects nothing cannot pass for a run.
const wchar_t kMarker[] = L" --fresh-process-began=";
constexpr DWORD kChildLimit = 120000;  // ms; a start under an emulator takes seconds

std::wstring Widened(const char* text)
{
    return std::wstring(text, text + strlen(text));  // test names are ASCII
}

} // namespace

bool RunsInFreshProcess()
{
    if (const wchar_t* marker = wcsstr(GetCommandLineW(), kMarker)) {
        const std::wstring eventName(marker + wcslen(kMarker));
        UniqueKernelHandle began(OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str()));
        if (!began || !SetEvent(began.Get()))
            ADD_FAILURE() << "cannot tell the first process that the test began";
        return true;
    }

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    wchar_t program[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        ADD_FAILURE() << "cannot name this program";
        return false;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // its report joins ours
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const std::wstring beganName = L"hostclient-fresh-" + std::to_wstring(GetCurrentProcessId());
    UniqueKernelHandle began(CreateEventW(nullptr, TRUE, FALSE, beganName.c_str()));
    if (!began) {
        ADD_FAILURE() << "cannot make the start event, error " << GetLastError();
        return false;
    }
    // The event's name ends the command line.
    std::wstring commandLine = L"\"" + std::wstring(program, length) + L"\" --gtest_filter=" +
                               Widened(test->test_suite_name()) + L"." + Widened(test->name()) + kMarker + beganName;
    fflush(stdout);
    const BOOL started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    if (!started) {
        ADD_FAILURE() << "cannot start a fresh process, error " << GetLastError();
        return false;
    }
    UniqueKernelHandle child(process.hProcess);
    UniqueKernelHandle thread(process.hThread);
    if (WaitForSingleObject(child.Get(), kChildLimit) != WAIT_OBJECT_0) {
        TerminateProcess(child.Get(), 1);
        WaitForSingleObject(child.Get(), kChildLimit);
        ADD_FAILURE() << "the fresh process did not end within " << kChildLimit << " ms";
        return false;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(child.Get(), &exitCode);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(began.Get(), 0)) << "the fresh process ran no test";
    EXPECT_EQ(0u, exitCode) << "the test failed in its fresh process (its report is above)";
    return false;
}
