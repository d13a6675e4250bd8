#include "platform/SmbModule.h"

#include "platform/SmbClient.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) qv::platform::NetworkNeighbourhood*
qvCreateSmbNeighbourhood()
{
    using namespace qv::platform;
    return new SmbNeighbourhood(std::make_shared<SmbClientReader>());
}

static_assert(std::is_same_v<decltype(qvCreateSmbNeighbourhood), qv::platform::SmbModuleEntryPoint>,
              "the loader calls the entry point with this type");
