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
    std::map<std::string, std::string> errors;
};

LoadedModules& loadedModules()
{
    static LoadedModules modules;
    return modules;
}

// dlerror() may answer nullptr (a symbol whose value is null): never hand that to a string.
std::string loaderError()
{
    const char* message = ::dlerror();
    return message ? message : "the dynamic loader gave no reason";
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
void* openModule(const char* fileName, int flags, std::string& error)
{
    error.clear();
    if (void* handle = ::dlopen(fileName, flags))
        return handle;
    error = loaderError();
    for (const std::string& folder : programSearchPath())
        if (void* handle = ::dlopen((folder + '/' + fileName).c_str(), flags))
            return handle;
    ::dlerror();
    return nullptr;
}

} // namespace

LoadableModule::LoadableModule(const char* fileName, Binding binding)
    : m_fileName(fileName)
    , m_binding(binding)
{
}

void* LoadableModule::symbol(const char* name) const
{
    LoadedModules& modules = loadedModules();
    const std::lock_guard guard(modules.lock);
    void*& handle = modules.handles[m_fileName];
    if (!handle) {
        // dlerror() is per thread, and the lock keeps the open and its error together.
        const int bindingFlag = m_binding == Binding::AtLoad ? RTLD_NOW : RTLD_LAZY;
        handle = openModule(m_fileName, bindingFlag | RTLD_LOCAL, modules.errors[m_fileName]);
        if (!handle)
            return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(handle, name);
    if (!address)
        modules.errors[m_fileName] = loaderError();
    return address;
}

std::string LoadableModule::error() const
{
    LoadedModules& modules = loadedModules();
    const std::lock_guard guard(modules.lock);
    const auto found = modules.errors.find(m_fileName);
    return found == modules.errors.end() ? std::string() : found->second;
}

} // namespace qv::platform
