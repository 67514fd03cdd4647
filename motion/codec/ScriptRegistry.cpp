#include "motion/codec/ScriptRegistry.h"

#include <map>

namespace {

struct Entry {
    RefPtr<ScriptRunner> runner;
    int holders = 0;
};

std::map<std::wstring, Entry>& Runners()
{
    static std::map<std::wstring, Entry> runners;
    return runners;
}

}  // namespace

namespace ScriptRegistry {

void AddScript(const std::wstring& name, const std::wstring& text)
{
    auto& runners = Runners();
    const auto found = runners.find(name);
    if (found != runners.end()) {
        ++found->second.holders;
        return;
    }
    Entry entry;
    entry.runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    entry.holders = 1;
    entry.runner->Start(text);
    runners.emplace(name, std::move(entry));
}

void ReleaseScript(const std::wstring& name)
{
    auto& runners = Runners();
    const auto found = runners.find(name);
    if (found == runners.end() || --found->second.holders > 0)
        return;
    // Out of the registry first, so a stopping runner is no longer found.
    const RefPtr<ScriptRunner> runner = std::move(found->second.runner);
    runners.erase(found);
    runner->Stop();
}

HRESULT GetVariable(const std::wstring& name, const std::wstring& variable, VARIANT& result,
                    const VARIANT& defaultValue)
{
    auto& runners = Runners();
    const auto found = runners.find(name);
    if (found == runners.end()) {
        VariantClear(&result);
        return CopyVariant(result, defaultValue);
    }
    return found->second.runner->GetVariable(variable, result, defaultValue);
}

void ReleaseAll()
{
    auto& runners = Runners();
    while (!runners.empty()) {
        const RefPtr<ScriptRunner> runner = std::move(runners.begin()->second.runner);
        runners.erase(runners.begin());
        runner->Stop();
    }
}

RefPtr<ScriptRunner> Find(const std::wstring& name)
{
    auto& runners = Runners();
    const auto found = runners.find(name);
    return found == runners.end() ? RefPtr<ScriptRunner>() : found->second.runner;
}

}  // namespace ScriptRegistry
