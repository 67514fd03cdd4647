#include "motion/codec/ScriptRegistry.h"

#include "base/win/CriticalSection.h"
#include "motion/codec/ScriptVariables.h"

#include <map>
#include <vector>

namespace {

struct Entry {
    RefPtr<ScriptRunner> runner;
    int holders = 0;
};

// The running scripts by id. A host may play companions on several threads:
// the lock guards the map, the holder counts and every call into a runner
// but Stop, which runs outside it once the runner has left the map (a stop
// may take the runner's whole stop wait).
struct Registry {
    CriticalSection lock;
    std::map<std::wstring, Entry> runners;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

}  // namespace

namespace ScriptRegistry {

void AddScript(const std::wstring& name, const std::wstring& text)
{
    Registry& registry = TheRegistry();
    CriticalSectionLock lock(registry.lock);
    const auto found = registry.runners.find(name);
    if (found != registry.runners.end()) {
        ++found->second.holders;
        return;
    }
    Entry entry;
    entry.runner = RefPtr<ScriptRunner>::Adopt(new ScriptRunner());
    entry.holders = 1;
    entry.runner->Start(text);
    registry.runners.emplace(name, std::move(entry));
}

void ReleaseScript(const std::wstring& name)
{
    RefPtr<ScriptRunner> stopping;
    {
        Registry& registry = TheRegistry();
        CriticalSectionLock lock(registry.lock);
        const auto found = registry.runners.find(name);
        if (found == registry.runners.end() || --found->second.holders > 0)
            return;
        // Out of the registry first, so a stopping runner is no longer found.
        stopping = std::move(found->second.runner);
        registry.runners.erase(found);
    }
    stopping->Stop();
}

HRESULT GetVariable(const std::wstring& name, const std::wstring& variable, VARIANT& result,
                    const VARIANT& defaultValue)
{
    Registry& registry = TheRegistry();
    CriticalSectionLock lock(registry.lock);
    const auto found = registry.runners.find(name);
    if (found == registry.runners.end()) {
        VariantClear(&result);
        return CopyVariant(result, defaultValue);
    }
    return found->second.runner->GetVariable(variable, result, defaultValue);
}

void ReleaseAll()
{
    std::map<std::wstring, Entry> stopping;
    {
        Registry& registry = TheRegistry();
        CriticalSectionLock lock(registry.lock);
        stopping.swap(registry.runners);
    }
    for (auto& entry : stopping)
        entry.second.runner->Stop();
}

RefPtr<ScriptRunner> Find(const std::wstring& name)
{
    Registry& registry = TheRegistry();
    CriticalSectionLock lock(registry.lock);
    const auto found = registry.runners.find(name);
    return found == registry.runners.end() ? RefPtr<ScriptRunner>() : found->second.runner;
}

}  // namespace ScriptRegistry
