#pragma once

#include <utility>

namespace qv::platform {

// Replaces a process-wide hook (a dialog runner, a clock, a data source…) for the lifetime of this object
// and then puts back whatever was there before, so that a test can never leave a hook replaced.
// `Setter` installs a value and returns the one it replaced. Each hook names its own alias, e.g.
// `using ScopedModalRunner = ScopedHook<ModalRunner, &setModalRunner>;`.
template<typename Value, Value (*Setter)(Value)>
class ScopedHook {
public:
    explicit ScopedHook(Value replacement)
        : m_previous(Setter(std::move(replacement)))
    {
    }
    ~ScopedHook() { Setter(std::move(m_previous)); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    Value m_previous;
};

} // namespace qv::platform
