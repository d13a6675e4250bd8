// The 3D display benchmark's module: only it brings Qt OpenGL, and only the 3D benchmark loads it.
#include "bench/display/Bench3D.h"

extern "C" __attribute__((visibility("default"))) qv::bench::display::DisplayBench* qvCreateDisplayBench()
{
    return new qv::bench::display::Bench3D;
}
