#include "host/runtime/Object.h"

#include "host/runtime/Loader.h"
#include "host/runtime/Registry.h"

#include <algorithm>
#include <cstdio>
#include <functional>


namespace host {

std::string_view ClassInfo::simpleName() const {
    std::string_view n(name);
    auto dot = n.rfind('.');
    return dot == std::string_view::npos ? n : n.substr(dot + 1);
}

bool ClassInfo::isA(std::string_view className) const {
    for (const ClassInfo* c = this; c; c = c->super)
        if (className == c->name || className == c->simpleName()) return true;
    return false;
}

bool ClassInfo::isA(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->super)
        if (c == &other) return true;
    return false;
}

const ClassInfo& Object::staticClass() {
    static const ClassInfo info{"host.Object", nullptr, {}};
    return info;
}

std::string Object::toString() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "@%zx", hashCode());
    return getClassName() + buf;
}

std::size_t Object::hashCode() const { return std::hash<const void*>{}(this); }

ClassRegistry& ClassRegistry::instance() {
    // Never destroyed: libraries unregister their classes from their own destructors,
    // which may run after this file's statics are gone.
    static ClassRegistry* registry = new ClassRegistry;
    return *registry;
}

void ClassRegistry::add(const ClassInfo& info) {
    std::lock_guard lock(mutex_);
    if (std::find(classes_.begin(), classes_.end(), &info) == classes_.end()) classes_.push_back(&info);
}

void ClassRegistry::remove(const ClassInfo& info) {
    std::lock_guard lock(mutex_);
    classes_.erase(std::remove(classes_.begin(), classes_.end(), &info), classes_.end());
}

const ClassInfo* ClassRegistry::find(std::string_view name) const {
    if (const ClassInfo* c = findLoaded(name)) return c;
    if (name.find('.') == std::string_view::npos) return nullptr;
    // Loading runs the library's start-up, which adds its classes: no lock held here.
    for (auto& lib : registeredLibraries(Registry().read(), name)) {
        if (!Loader::loadByName(lib, nullptr)) continue;
        if (const ClassInfo* c = findLoaded(name)) return c;
    }
    return nullptr;
}

const ClassInfo* ClassRegistry::findLoaded(std::string_view name) const {
    std::lock_guard lock(mutex_);
    for (auto* c : classes_)
        if (name == c->name) return c;
    const ClassInfo* bySimple = nullptr;
    for (auto* c : classes_) {
        if (name == c->simpleName()) {
            if (bySimple) return nullptr;  // ambiguous
            bySimple = c;
        }
    }
    return bySimple;
}

std::vector<const ClassInfo*> ClassRegistry::all() const {
    std::lock_guard lock(mutex_);
    return classes_;
}

ObjectPtr ClassRegistry::createObject(std::string_view name, Applet* applet, const std::string& objName) const {
    const ClassInfo* info = find(name);
    if (!info || !info->factory) return nullptr;
    return info->factory(applet, objName);
}

}  // namespace host
