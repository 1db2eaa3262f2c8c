#include "module/type_info_cache.h"

#include "common/win32/com.h"

#include <mutex>
#include <utility>
#include <vector>

#include "common/win32/module_instance.h"

namespace zarn::win32 {
namespace {

struct Cache {
    std::mutex guard;
    ComPtr<ITypeLib> library;
    std::vector<std::pair<IID, ComPtr<ITypeInfo>>> infos;
};

// Never destroyed: at unload nothing may call into another DLL under the loader lock, so the
// cache is emptied at the module's shut-down instead.
Cache& TheCache() {
    static Cache* cache = new Cache;
    return *cache;
}

}  // namespace

HRESULT TypeInfoCache::Get(REFIID iid, ComPtr<ITypeInfo>& info) {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.guard);
    for (const auto& [known, knownInfo] : cache.infos) {
        if (known == iid) {
            info = knownInfo;
            return S_OK;
        }
    }
    HRESULT hr = S_OK;
    if (!cache.library) {
        const std::wstring path = ModulePath();
        hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, cache.library.Receive());
        if (FAILED(hr))
            return hr;
    }
    ComPtr<ITypeInfo> found;
    if (FAILED(hr = cache.library->GetTypeInfoOfGuid(iid, found.Receive())))
        return hr;
    cache.infos.emplace_back(iid, found);
    info = std::move(found);
    return S_OK;
}

void TypeInfoCache::Drop() {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.guard);
    cache.infos.clear();
    cache.library.Reset();
}

}  // namespace zarn::win32
