// Any text as a dump: the reader and the whole detection record built on it must not crash.
#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"
#include "platform/CpuidDump.h"

#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto source =
        std::make_shared<qv::platform::RecordedCpuidSource>(qv::platform::RecordedCpuidSource::parse(text));
    qv::platform::ScopedCpuidSource scope(source);
    qv::cpu::TcxCPU2000 record;
    record.Loaded();
    qv::cpu::FillProcessorWindowTexts(record);
    qv::platform::recordCpuidDump(*source);
    return 0;
}
