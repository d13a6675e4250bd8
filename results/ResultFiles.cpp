#include "results/ResultFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace qv::results {

namespace {

// Closes the descriptor and removes the temporary file unless it has been handed over.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside)
    {
        const std::filesystem::path target(beside);
        m_path = (target.parent_path() / ('.' + target.filename().string() + ".XXXXXX")).string();
        m_descriptor = mkostemp(m_path.data(), O_CLOEXEC);
    }
    ~TemporaryFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        if (!m_handedOver)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }
    const std::string& path() const { return m_path; }

    // Closes the file; false (with errno) when the last data could not be stored.
    bool close()
    {
        const int result = ::close(std::exchange(m_descriptor, -1));
        return result == 0;
    }
    void handOver() { m_handedOver = true; }

private:
    std::string m_path;
    int m_descriptor = -1;
    bool m_handedOver = false;
};

[[noreturn]] void cannot(std::string_view verb, const std::string& path, int error)
{
    throw FileError("cannot " + std::string(verb) + " '" + path + "': " + std::strerror(error));
}

bool writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

QByteArray readSmallFile(const std::string& path, std::int64_t limit)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        cannot("read", path, errno);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        ::close(descriptor);
        cannot("read", path, error);
    }
    if (S_ISREG(status.st_mode) && status.st_size > limit) {
        ::close(descriptor);
        throw FileError("'" + path + "' is not a saved result: it is larger than " +
                        std::to_string(limit / 1024) + " KiB");
    }
    // Read one byte past the limit, so that a pipe or a growing file is refused as well.
    QByteArray bytes(qsizetype(limit + 1), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(descriptor, bytes.data() + filled, std::size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(descriptor);
            cannot("read", path, error);
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(descriptor);
    if (filled > limit)
        throw FileError("'" + path + "' is not a saved result: it is larger than " +
                        std::to_string(limit / 1024) + " KiB");
    bytes.truncate(filled);
    return bytes;
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

void writeFileAtomically(const std::string& path, std::string_view bytes, Existing existing)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        cannot("write", path, EISDIR);
    TemporaryFile file(path);
    if (!file.isOpen())
        cannot("write", path, errno);
    if (!writeAll(file.descriptor(), bytes) || ::fchmod(file.descriptor(), 0666 & ~currentUmask()) != 0 ||
        ::fsync(file.descriptor()) != 0 || !file.close())
        cannot("write", path, errno);
    if (existing == Existing::Replace) {
        if (::rename(file.path().c_str(), path.c_str()) != 0)
            cannot("write", path, errno);
        file.handOver();
        return;
    }
    // Checking and moving in one step, so that a file created meanwhile is not replaced either; a file
    // system that cannot rename that way gets a hard link, which never replaces.
    int moved = ::renameat2(AT_FDCWD, file.path().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    if (moved != 0 && errno == EINVAL && (moved = ::link(file.path().c_str(), path.c_str())) == 0)
        ::unlink(file.path().c_str());
    if (moved != 0) {
        if (errno == EEXIST)
            throw FileExistsError("'" + path + "' exists already");
        cannot("write", path, errno);
    }
    file.handOver();
}

} // namespace qv::results
