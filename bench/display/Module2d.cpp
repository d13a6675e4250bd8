// The standard display benchmark's module: the program and the tool load it when the benchmark starts.
#include "bench/display/Bench2D.h"

extern "C" __attribute__((visibility("default"))) qv::bench::display::DisplayBench* qvCreateDisplayBench()
{
    return new qv::bench::display::Bench2D;
}
