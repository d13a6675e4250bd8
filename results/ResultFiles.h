#pragma once

#include "platform/FileAccess.h"
#include "results/SavedResult.h"

#include <QByteArray>

#include <cstdint>
#include <string>

namespace qv::results {

// A file that could not be read or written, or is not what it must be. The message is ready to print:
// "cannot read 'F': No such file or directory", "'F' is not a saved result: Runs is empty", …
using FileError = platform::FileAccessError;
// The target exists and may not be replaced.
using FileExistsError = platform::FileExistsError;

// Saved results and reports are small; anything larger is refused before it is read.
inline constexpr std::int64_t kMaxResultFileSize = std::int64_t{1024} * 1024;

// The whole file, at most `limit` bytes.
QByteArray readSmallFile(const std::string& path, std::int64_t limit = kMaxResultFileSize);

// A saved result from a file, every failure as a FileError.
SavedResult readSavedResult(const std::string& path);
// The saved results of a saved-result file or of a machine report.
std::vector<SavedResult> readSavedResults(const std::string& path);

using platform::Existing;

// Writes `bytes` to `path` as platform::writeFileTarget does: a regular file is replaced in one step (or,
// with Existing::Keep, refused with FileExistsError), a device or pipe is written into, "-" is
// `standardOutput` when one is given.
void writeFileAtomically(const std::string& path, std::string_view bytes, Existing existing,
                         std::ostream* standardOutput = nullptr);

} // namespace qv::results
