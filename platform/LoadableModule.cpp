#include "platform/LoadableModule.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

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

// The folders the program's own libraries are looked for in (its run path, then the system's).
std::vector<std::string> programSearchPath()
{
    void* program = ::dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (!program || ::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0)
        return {};
    std::vector<char> buffer(size.dls_size);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
    *info = size;
    if (::dlinfo(program, RTLD_DI_SERINFO, info) != 0)
        return {};
    std::vector<std::string> folders;
    folders.reserve(info->dls_cnt);
    for (unsigned int i = 0; i < info->dls_cnt; ++i)
        folders.emplace_back(info->dls_serpath[i].dls_name);
    return folders;
}

// dlopen() searches the run path of its caller, which is not the program when a library in between
// intercepts the call (the address sanitizer's runtime does): then the program's own folders are tried.
// Returns nullptr with the loader's first error in `error` when the module is nowhere.
void* openModule(const char* fileName, QString& error)
{
    error.clear();
    if (void* handle = ::dlopen(fileName, RTLD_NOW | RTLD_LOCAL))
        return handle;
    error = QString::fromLocal8Bit(::dlerror());
    for (const std::string& folder : programSearchPath())
        if (void* handle = ::dlopen((folder + '/' + fileName).c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
    ::dlerror();
    return nullptr;
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
        handle = openModule(m_fileName, modules.errors[m_fileName]);
        if (!handle)
            return nullptr;
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
