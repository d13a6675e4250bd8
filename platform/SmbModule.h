#pragma once

namespace qv::platform {

class NetworkNeighbourhood;

// The SMB neighbourhood lives in a shared library of its own (it brings all of libsmbclient), loaded by
// networkNeighbourhood() at first use. This is its one entry point, which returns a
// new neighbourhood owned by the caller. The build gives the library's file name as QV_SMB_MODULE.
inline constexpr char kSmbModuleEntryPoint[] = "qvCreateSmbNeighbourhood";
using SmbModuleEntryPoint = NetworkNeighbourhood*();

} // namespace qv::platform
