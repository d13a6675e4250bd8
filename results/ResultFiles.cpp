#include "results/ResultFiles.h"

namespace qv::results {

QByteArray readSmallFile(const std::string& path, std::int64_t limit)
{
    try {
        return QByteArray::fromStdString(platform::readBoundedFile(path, limit));
    } catch (const platform::FileTooLargeError&) {
        throw FileError("'" + path + "' is not a saved result: it is larger than " +
                        std::to_string(limit / 1024) + " KiB");
    }
}

namespace {

// Parses a file's bytes, turning the parser's errors into messages that name the file.
template<typename Parse>
auto parsedFile(const std::string& path, Parse parse)
{
    const QByteArray bytes = readSmallFile(path);
    try {
        return parse(bytes);
    } catch (const NewerFormatError& error) {
        throw FileError("'" + path + "' was written by a newer quorvex-cli (format " +
                        std::to_string(error.version()) + "; this one reads " +
                        std::to_string(kResultSchemaVersion) + ')');
    } catch (const FormatError& error) {
        throw FileError("'" + path + "' is not a saved result: " + error.what());
    }
}

} // namespace

SavedResult readSavedResult(const std::string& path)
{
    return parsedFile(path, parseSavedResult);
}

std::vector<SavedResult> readSavedResults(const std::string& path)
{
    return parsedFile(path, parseSavedResults);
}

void writeFileAtomically(const std::string& path, std::string_view bytes, Existing existing,
                         std::ostream* standardOutput)
{
    platform::writeFileTarget(path, bytes, existing, standardOutput);
}

} // namespace qv::results
