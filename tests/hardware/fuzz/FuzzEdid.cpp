// Any bytes as a monitor's EDID: nothing may crash or read out of bounds, whatever the extension count
// and the descriptors say.
#include "hardware/Edid.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The header is fixed, so most inputs would stop there: the fuzzer also gets one with it in place.
    qv::hardware::parseEdid(bytes);
    std::string withHeader("\x00\xff\xff\xff\xff\xff\xff\x00", 8);
    withHeader.append(bytes);
    qv::hardware::parseEdid(withHeader);
    return 0;
}
