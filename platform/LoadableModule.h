#pragma once

#include <QString>

namespace qv::platform {

// A shared library loaded at first use, so that a dependency only one command needs (libsmbclient, Qt
// Gui, the X11 client library) is loaded by that command only. A module, once loaded, stays loaded for
// the rest of the process: objects and code it handed out may live until the end.
class LoadableModule {
public:
    // `fileName` is looked for as the dynamic loader looks (the program's run path first).
    explicit LoadableModule(const char* fileName);

    // The address of `name`, loading the module if needed; nullptr when the module or the symbol is
    // missing (error() says why). Safe to call from any thread.
    template<typename Function>
    Function* function(const char* name) const
    {
        return reinterpret_cast<Function*>(symbol(name));
    }
    QString error() const;

private:
    void* symbol(const char* name) const;

    const char* m_fileName;
};

} // namespace qv::platform
