// The polymorphic root of every reference type, and the class runtime that
// knows each class by its fully qualified name.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Object;
class Applet;

// Describes one class: its fully qualified name ("norvex.ombu.NxComponent"),
// its superclass, and for classes that pages may name, a factory.
struct ClassInfo {
    using Factory = std::function<std::shared_ptr<Object>(Applet* applet, const std::string& name)>;

    const char* name;          // fully qualified, dot separated
    const ClassInfo* super;    // null for Object
    Factory factory;           // empty for classes that cannot be created by name

    // "NxComponent" for "norvex.ombu.NxComponent".
    std::string_view simpleName() const;
    // True when this class or a superclass has the given fully qualified or simple name.
    bool isA(std::string_view className) const;
    bool isA(const ClassInfo& other) const;
};

// Every class declares its ClassInfo with HOST_OBJECT (abstract or not creatable by name)
// or HOST_CREATABLE (created from a page through ClassRegistry).
#define HOST_OBJECT(Self, QualifiedName, Base)                                              \
public:                                                                                    \
    static const ::host::ClassInfo& staticClass() {                                        \
        static const ::host::ClassInfo info{QualifiedName, &Base::staticClass(), {}};      \
        return info;                                                                       \
    }                                                                                      \
    const ::host::ClassInfo& classInfo() const override { return staticClass(); }        \
                                                                                           \
private:

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static const ClassInfo& staticClass();
    virtual const ClassInfo& classInfo() const { return staticClass(); }

    std::string getClassName() const { return classInfo().name; }
    bool instanceOf(std::string_view className) const { return classInfo().isA(className); }

    virtual std::string toString() const;
    virtual bool equals(const Object& other) const { return this == &other; }
    virtual std::size_t hashCode() const;

    // The object's reentrant lock ("holds the object's lock").
    std::recursive_mutex& mutex() const { return mutex_; }

    // Runs once after the most-derived constructor finished (see create<T>). Components read
    // their page parameters here, so the most-derived class's defaults are in place first.
    virtual void initialize() {}

private:
    mutable std::recursive_mutex mutex_;
};

using ObjectPtr = std::shared_ptr<Object>;
using Lock = std::lock_guard<std::recursive_mutex>;

// The one way to build an object of the system: construct, then run initialize()
// virtually, which stands in for "at the end of the most-derived constructor".
template <class T, class... Args>
std::shared_ptr<T> create(Args&&... args) {
    auto p = std::make_shared<T>(std::forward<Args>(args)...);
    p->initialize();
    return p;
}

// Shared-pointer casts that accept null.
template <class T, class U>
std::shared_ptr<T> cast(const std::shared_ptr<U>& p) {
    return std::dynamic_pointer_cast<T>(p);
}

// Registry of classes that pages and the registration tool can name.
class ClassRegistry {
public:
    static ClassRegistry& instance();

    void add(const ClassInfo& info);
    void remove(const ClassInfo& info);
    // Fully qualified name; a simple name is accepted when it is unique. A fully qualified
    // name that no loaded library defines is looked up in the registry, and the libraries
    // registered for its package or class are loaded until one defines it.
    const ClassInfo* find(std::string_view name) const;
    std::vector<const ClassInfo*> all() const;

    // Creates an object by class name; null when the class is unknown or abstract.
    ObjectPtr createObject(std::string_view name, Applet* applet, const std::string& objName) const;

private:
    const ClassInfo* findLoaded(std::string_view name) const;

    mutable std::mutex mutex_;
    std::vector<const ClassInfo*> classes_;
};

}  // namespace host

// Declares a class that a page or the registration tool may create by name. T must have a
// constructor (Applet*, const std::string& name).
#define HOST_CREATABLE(Self, QualifiedName, Base)                                           \
public:                                                                                    \
    static const ::host::ClassInfo& staticClass() {                                        \
        static const ::host::ClassInfo info{                                               \
            QualifiedName, &Base::staticClass(),                                           \
            [](::host::Applet* a, const std::string& n) -> std::shared_ptr<::host::Object> { \
                return ::host::create<Self>(a, n);                                         \
            }};                                                                            \
        return info;                                                                       \
    }                                                                                      \
    const ::host::ClassInfo& classInfo() const override { return staticClass(); }        \
                                                                                           \
private:
