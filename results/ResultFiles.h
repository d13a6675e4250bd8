#pragma once

#include "results/SavedResult.h"

#include <QByteArray>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qv::results {

// A file that could not be read or written, or is not what it must be. The message is ready to print:
// "cannot read 'F': No such file or directory", "'F' is not a saved result: Runs is empty", …
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The target exists and may not be replaced.
class FileExistsError : public FileError {
public:
    using FileError::FileError;
};

// Saved results and reports are small; anything larger is refused before it is read.
inline constexpr std::int64_t kMaxResultFileSize = 1024 * 1024;

// The whole file, at most `limit` bytes.
QByteArray readSmallFile(const std::string& path, std::int64_t limit = kMaxResultFileSize);

// A saved result from a file, every failure as a FileError.
SavedResult readSavedResult(const std::string& path);
// The saved results of a saved-result file or of a machine report.
std::vector<SavedResult> readSavedResults(const std::string& path);

enum class Existing { Keep, Replace };

// Writes `bytes` to a new file beside `path`, then moves it onto `path` in one step: a reader sees the
// old file or the new one, never a part, and a failure leaves no file behind. With Existing::Keep an
// existing `path` is left alone and FileExistsError is thrown. The file gets the usual permissions
// (0666 less the umask).
void writeFileAtomically(const std::string& path, std::string_view bytes, Existing existing);

} // namespace qv::results
