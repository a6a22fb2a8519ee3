// The contract between a component library and the class runtime: every library
// exports TARNGetClassArray, a null-terminated array of the descriptors of the
// classes it defines, and registers that array with the runtime when it is loaded.
#pragma once

#include "host/runtime/Object.h"

extern "C" {

struct TARNClassDescriptor {
    const char* name;              // package-qualified, "/" separated: "norvex/chart/NxAxis"
    unsigned char flags;           // bit 0: ignore this descriptor
    const host::ClassInfo* info;   // the runtime description (may be null for pure data classes)
};

typedef const TARNClassDescriptor* const* (*TARNGetClassArrayFn)();

// Registers every class of the array with the class runtime; returns 1 on success.
int TARNRegisterModule(void* module, const TARNClassDescriptor* const* classes, const void* moduleData, int entries);
void TARNUnregisterModule(void* module);
}

namespace host {

// Builds a descriptor name "norvex/ombu/NxLabel" from a ClassInfo name "norvex.ombu.NxLabel".
std::string descriptorName(const ClassInfo& info);

}  // namespace host

// Defines a library's class array and its start-up registration. Use once per library:
//   TARN_CLASS_ARRAY(&NxVector::staticClass(), &NxCache::staticClass())
#define TARN_CLASS_ARRAY(...)                                                                    \
    namespace {                                                                                  \
    const TARNClassDescriptor* const* tarnBuildClassArray() {                                    \
        static const host::ClassInfo* infos[] = {__VA_ARGS__};                                   \
        /* Never destroyed: the module's destructor reads them after static destruction. */  \
        static auto& names = *new std::vector<std::string>;                                      \
        static auto& descs = *new std::vector<TARNClassDescriptor>;                              \
        static auto& ptrs = *new std::vector<const TARNClassDescriptor*>;                        \
        static std::once_flag once;                                                              \
        std::call_once(once, [] {                                                                \
            for (auto* i : infos) names.push_back(host::descriptorName(*i));                     \
            for (size_t k = 0; k < names.size(); ++k) descs.push_back({names[k].c_str(), 0, infos[k]}); \
            for (auto& d : descs) ptrs.push_back(&d);                                            \
            ptrs.push_back(nullptr);                                                             \
        });                                                                                      \
        return ptrs.data();                                                                      \
    }                                                                                            \
    __attribute__((constructor)) void tarnModuleStart() {                                        \
        TARNRegisterModule((void*)&tarnBuildClassArray, tarnBuildClassArray(), nullptr, 0);      \
    }                                                                                            \
    __attribute__((destructor)) void tarnModuleStop() {                                          \
        TARNUnregisterModule((void*)&tarnBuildClassArray);                                       \
    }                                                                                            \
    }                                                                                            \
    extern "C" __attribute__((visibility("default"))) const TARNClassDescriptor* const* TARNGetClassArray() { \
        return tarnBuildClassArray();                                                            \
    }
