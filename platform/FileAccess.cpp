#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <utility>

namespace qv::platform {

namespace {

std::string reasonOf(int error)
{
    return std::strerror(error);
}

[[noreturn]] void cannot(std::string_view verb, const std::string& path, int error)
{
    throw FileAccessError(verb, path, reasonOf(error));
}

const char* const kNotRegular = "not a regular file";

FileWriteCall& writeCall()
{
    static FileWriteCall call;
    return call;
}

ssize_t writeSome(int descriptor, const void* data, std::size_t size)
{
    return writeCall() ? writeCall()(descriptor, data, size) : ::write(descriptor, data, size);
}

bool writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = writeSome(descriptor, bytes.data(), bytes.size());
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

// A new file beside the target, removed unless it has been moved onto the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside)
    {
        const std::filesystem::path target(beside);
        m_path = (target.parent_path() / ('.' + target.filename().string() + ".XXXXXX")).string();
        m_file = FileDescriptor(mkostemp(m_path.data(), O_CLOEXEC));
    }
    ~TemporaryFile()
    {
        if (!m_handedOver)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    int descriptor() const { return m_file.get(); }
    const std::string& path() const { return m_path; }
    // Closes the file; false (with errno) when the last data could not be stored.
    bool close() { return ::close(m_file.release()) == 0; }
    void handOver() { m_handedOver = true; }

private:
    std::string m_path;
    FileDescriptor m_file;
    bool m_handedOver = false;
};

bool isStandardOutput(const std::string& path, bool allowed)
{
    return allowed && path == "-";
}

// The target's entry itself (a link is not followed), or nothing when there is none.
std::optional<struct stat> entryOf(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0)
        return status;
    if (errno != ENOENT)
        cannot("write", path, errno);
    return std::nullopt;
}

bool isOwnWritableFile(const std::string& path, const struct stat& status)
{
    return S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) == 0;
}

// Throws unless the existing entry may be written as `existing` says.
void checkExisting(const std::string& path, const struct stat& entry, Existing existing)
{
    if (S_ISDIR(entry.st_mode))
        cannot("write", path, EISDIR);
    if (existing == Existing::Keep)
        throw FileExistsError(path);
    if (existing == Existing::ReplaceOwnRegularFile) {
        if (!S_ISREG(entry.st_mode))
            throw FileAccessError("write", path, kNotRegular);
        if (!isOwnWritableFile(path, entry))
            cannot("write", path, EACCES);
        return;
    }
    if (S_ISLNK(entry.st_mode)) {
        struct stat target {};
        if (::stat(path.c_str(), &target) != 0)
            cannot("write", path, errno);
        if (S_ISDIR(target.st_mode))
            cannot("write", path, EISDIR);
    }
}

// A regular file, new or replacing one: written beside the target and moved onto it.
void replaceAtomically(const std::string& path, std::string_view bytes, const std::optional<struct stat>& old,
                       Existing existing)
{
    TemporaryFile file(path);
    if (!file.isOpen())
        cannot("write", path, errno);
    const mode_t mode = old ? old->st_mode & 07777 : 0666 & ~currentUmask();
    const bool keepOwner = old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid());
    if (!writeAll(file.descriptor(), bytes) || ::fchmod(file.descriptor(), mode) != 0 ||
        (keepOwner && ::fchown(file.descriptor(), old->st_uid, old->st_gid) != 0) ||
        ::fsync(file.descriptor()) != 0 || !file.close())
        cannot("write", path, errno);
    if (existing != Existing::Keep) {
        if (::rename(file.path().c_str(), path.c_str()) != 0)
            cannot("write", path, errno);
        file.handOver();
        return;
    }
    // Checking and moving in one step, so that a file created meanwhile is not replaced; a file system
    // that cannot rename that way gets a hard link, which never replaces.
    int moved = ::renameat2(AT_FDCWD, file.path().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    if (moved != 0 && errno == EINVAL) {
        moved = ::link(file.path().c_str(), path.c_str());
        if (moved == 0)
            ::unlink(file.path().c_str());
    }
    if (moved != 0) {
        if (errno == EEXIST)
            throw FileExistsError(path);
        cannot("write", path, errno);
    }
    file.handOver();
}

// A device, FIFO or link that stays what it is: opened as a shell redirection would, without waiting for
// a FIFO's reader, and written in order.
void writeIntoStream(const std::string& path, std::string_view bytes)
{
    const FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (!file.isOpen())
        cannot("write", path, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        cannot("write", path, errno);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        (S_ISREG(status.st_mode) && ::ftruncate(file.get(), 0) != 0) || !writeAll(file.get(), bytes))
        cannot("write", path, errno);
}

} // namespace

FileAccessError::FileAccessError(std::string_view verb, const std::string& path, const std::string& reason)
    : std::runtime_error("cannot " + std::string(verb) + " '" + path + "': " + reason)
    , m_reason(reason)
{
}

FileAccessError::FileAccessError(const std::string& message)
    : std::runtime_error(message)
{
}

FileTooLargeError::FileTooLargeError(const std::string& path, std::int64_t limit)
    : FileAccessError("read", path, "larger than " + std::to_string(limit / 1024) + " KiB")
    , m_limit(limit)
{
}

FileExistsError::FileExistsError(const std::string& path)
    : FileAccessError("'" + path + "' exists already")
{
}

FileDescriptor::FileDescriptor(int descriptor)
    : m_descriptor(descriptor)
{
}

FileDescriptor::~FileDescriptor()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : m_descriptor(other.release())
{
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = other.release();
    }
    return *this;
}

int FileDescriptor::release()
{
    return std::exchange(m_descriptor, -1);
}

FileDescriptor openForReading(const std::string& path, Readable readable)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.isOpen())
        cannot("read", path, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        cannot("read", path, errno);
    if (S_ISDIR(status.st_mode))
        cannot("read", path, EISDIR);
    const bool device = S_ISCHR(status.st_mode) && readable == Readable::RegularFileOrCharacterDevice;
    if (!S_ISREG(status.st_mode) && !device)
        throw FileAccessError("read", path, kNotRegular);
    // A device the user named is read as it comes, waiting for its data.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (device && (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0))
        cannot("read", path, errno);
    return file;
}

std::string readAtMost(const FileDescriptor& file, const std::string& path, std::size_t limit)
{
    // The buffer grows as the file turns out longer, so that a generous limit costs a small file nothing.
    constexpr std::size_t kFirstChunk = std::size_t(64) * 1024;
    std::string bytes;
    std::size_t filled = 0;
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, std::max(kFirstChunk, 2 * bytes.size())));
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            cannot("read", path, errno);
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    return bytes;
}

std::string readBoundedFile(const std::string& path, std::int64_t limit, Readable readable)
{
    const FileDescriptor file = openForReading(path, readable);
    struct stat status {};
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > limit)
        throw FileTooLargeError(path, limit);
    // One byte past the limit, so that a growing file or an endless device is refused as well.
    std::string bytes = readAtMost(file, path, std::size_t(limit) + 1);
    if (std::int64_t(bytes.size()) > limit)
        throw FileTooLargeError(path, limit);
    return bytes;
}

std::optional<std::string> readFileHead(const std::string& path, std::size_t limit)
{
    try {
        return readAtMost(openForReading(path), path, limit);
    } catch (const FileAccessError&) {
        return std::nullopt;
    }
}

void checkWritableTarget(const std::string& path, Existing existing, bool allowStandardOutput)
{
    if (isStandardOutput(path, allowStandardOutput))
        return;
    const std::optional<struct stat> entry = entryOf(path);
    if (entry)
        checkExisting(path, *entry, existing);
    if (entry && !S_ISREG(entry->st_mode))
        return;
    // The folder must take a new file: it exists, is writable and the name fits.
    const TemporaryFile probe(path);
    if (!probe.isOpen())
        cannot("write", path, errno);
}

void writeFileTarget(const std::string& path, std::string_view bytes, Existing existing,
                     std::ostream* standardOutput)
{
    if (isStandardOutput(path, standardOutput != nullptr)) {
        standardOutput->write(bytes.data(), std::streamsize(bytes.size()));
        if (!standardOutput->flush())
            throw FileAccessError("cannot write to standard output");
        return;
    }
    const std::optional<struct stat> entry = entryOf(path);
    if (entry)
        checkExisting(path, *entry, existing);
    if (entry && !S_ISREG(entry->st_mode))
        writeIntoStream(path, bytes);
    else
        replaceAtomically(path, bytes, entry, existing);
}

FileWriteCall setFileWriteCall(FileWriteCall call)
{
    return std::exchange(writeCall(), std::move(call));
}

} // namespace qv::platform
