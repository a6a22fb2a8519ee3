#include "host/runtime/ClassArray.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace host {

std::string descriptorName(const ClassInfo& info) {
    std::string n = info.name;
    std::replace(n.begin(), n.end(), '.', '/');
    return n;
}

}  // namespace host

namespace {
std::mutex modulesMutex;
std::map<void*, const TARNClassDescriptor* const*>& modules() {
    // Never destroyed, like the arrays it points to (see TARN_CLASS_ARRAY).
    static auto* m = new std::map<void*, const TARNClassDescriptor* const*>;
    return *m;
}
}  // namespace

extern "C" int TARNRegisterModule(void* module, const TARNClassDescriptor* const* classes, const void*, int) {
    if (!classes) return 0;
    std::lock_guard lock(modulesMutex);
    modules()[module] = classes;
    for (auto p = classes; *p; ++p)
        if (!((*p)->flags & 1) && (*p)->info) host::ClassRegistry::instance().add(*(*p)->info);
    return 1;
}

extern "C" void TARNUnregisterModule(void* module) {
    std::lock_guard lock(modulesMutex);
    auto it = modules().find(module);
    if (it == modules().end()) return;
    for (auto p = it->second; *p; ++p)
        if ((*p)->info) host::ClassRegistry::instance().remove(*(*p)->info);
    modules().erase(it);
}
