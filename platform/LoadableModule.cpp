#include "platform/LoadableModule.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace qv::platform {

namespace {

struct LoadedModules {
    std::mutex lock;
    std::map<std::string, void*> handles; // never closed
    std::map<std::string, QString> errors;
};

LoadedModules& loadedModules()
{
    static LoadedModules modules;
    return modules;
}

} // namespace

LoadableModule::LoadableModule(const char* fileName)
    : m_fileName(fileName)
{
}

void* LoadableModule::symbol(const char* name) const
{
    LoadedModules& modules = loadedModules();
    const std::lock_guard guard(modules.lock);
    void*& handle = modules.handles[m_fileName];
    if (!handle) {
        // dlerror() is per thread, and the lock keeps the open and its error together.
        handle = ::dlopen(m_fileName, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            modules.errors[m_fileName] = QString::fromLocal8Bit(::dlerror());
            return nullptr;
        }
    }
    ::dlerror();
    void* address = ::dlsym(handle, name);
    if (!address)
        modules.errors[m_fileName] = QString::fromLocal8Bit(::dlerror());
    return address;
}

QString LoadableModule::error() const
{
    LoadedModules& modules = loadedModules();
    const std::lock_guard guard(modules.lock);
    const auto found = modules.errors.find(m_fileName);
    return found == modules.errors.end() ? QString() : found->second;
}

} // namespace qv::platform
