#pragma once
// Starts a thread that holds the module of the code that started it until
// the thread's very end: a host may unload a DLL while one of its threads
// still runs, and the last reference must go with the thread, no code of
// the module running after it.
//
// A header on purpose: the thread's entry is instantiated in the calling
// module, which is the module it pins.

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "base/win/UniqueHandle.h"

namespace module_pinned_thread {

template <typename Work>
struct Start {
    Work work;
    HMODULE module;
};

template <typename Work>
DWORD WINAPI Main(void* parameter)
{
    HMODULE module;
    {
        const std::unique_ptr<Start<Work>> start(static_cast<Start<Work>*>(parameter));
        module = start->module;
        start->work();
    }
    FreeLibraryAndExitThread(module, 0);
}

}  // namespace module_pinned_thread

// Runs `work` on a new thread that keeps this module loaded until it exits;
// `work` lives on the heap and is destroyed on that thread before the module
// is let go. Returns the thread, or null with GetLastError telling why, `work`
// then already destroyed. Nothing may leave `work`: it runs at a thread's root.
template <typename Work>
UniqueKernelHandle StartModulePinnedThread(Work work)
{
    static_assert(std::is_nothrow_invocable_v<Work&>, "an exception would end the host");
    using Start = module_pinned_thread::Start<Work>;
    std::unique_ptr<Start> start(new Start{std::move(work), nullptr});
    UniqueModule pinned;
    const auto failed = [&] {
        // Destroying `work` and freeing the module may touch the last error.
        const DWORD error = GetLastError();
        start.reset();
        pinned.Reset();
        SetLastError(error);
        return UniqueKernelHandle();
    };
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&module_pinned_thread::Main<Work>), pinned.Put()))
        return failed();
    start->module = pinned.Get();
    UniqueKernelHandle thread(CreateThread(nullptr, 0, &module_pinned_thread::Main<Work>, start.get(), 0, nullptr));
    if (!thread)
        return failed();
    start.release();
    pinned.Detach();
    return thread;
}
