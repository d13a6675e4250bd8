#pragma once

#include <string>

namespace qv::platform {

// A shared library loaded at first use, so that a dependency only one command needs (libsmbclient, Qt
// Gui, the X11 client library) is loaded by that command only. A module, once loaded, stays loaded for
// the rest of the process: objects and code it handed out may live until the end.
class LoadableModule {
public:
    // When the module's own references to other libraries are resolved: all at load, so that a missing
    // one fails the load with a reason (the default, for libraries from elsewhere), or each at its first
    // call, as an executable's are (for a module built with the program, where a big one loads faster).
    enum class Binding { AtLoad, AtFirstCall };

    // `fileName` is looked for as the dynamic loader looks (the program's run path first).
    explicit LoadableModule(const char* fileName, Binding binding = Binding::AtLoad);

    // The address of `name`, loading the module if needed; nullptr when the module or the symbol is
    // missing (error() says why). Safe to call from any thread.
    template<typename Function>
    Function* function(const char* name) const
    {
        return reinterpret_cast<Function*>(symbol(name));
    }
    std::string error() const;

private:
    void* symbol(const char* name) const;

    const char* m_fileName;
    Binding m_binding;
};

} // namespace qv::platform
