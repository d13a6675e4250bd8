#include "bench/display/DisplayBench.h"

#include "platform/LoadableModule.h"

namespace qv::bench::display {

std::unique_ptr<DisplayBench> loadDisplayBench(DisplayKind kind, std::string* error)
{
    static const platform::LoadableModule twoD(QV_DISPLAY2D_MODULE,
                                               platform::LoadableModule::Binding::AtFirstCall);
    static const platform::LoadableModule threeD(QV_DISPLAY3D_MODULE,
                                                 platform::LoadableModule::Binding::AtFirstCall);
    const platform::LoadableModule& module = kind == DisplayKind::TwoD ? twoD : threeD;
    auto* const create = module.function<DisplayBenchEntryPoint>(kDisplayBenchEntryPoint);
    if (create == nullptr) {
        if (error != nullptr)
            *error = "The display benchmark cannot be loaded: " + module.error();
        return nullptr;
    }
    return std::unique_ptr<DisplayBench>(create());
}

} // namespace qv::bench::display
