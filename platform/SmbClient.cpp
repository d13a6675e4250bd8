#include "platform/SmbClient.h"

#include "platform/DeadlineWorker.h"

#include <libsmbclient.h>

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace qv::platform {

namespace {

static_assert(smb_type::kWorkgroup == SMBC_WORKGROUP && smb_type::kServer == SMBC_SERVER &&
              smb_type::kFileShare == SMBC_FILE_SHARE && smb_type::kPrinterShare == SMBC_PRINTER_SHARE &&
              smb_type::kCommsShare == SMBC_COMMS_SHARE && smb_type::kIpcShare == SMBC_IPC_SHARE &&
              smb_type::kDirectory == SMBC_DIR && smb_type::kFile == SMBC_FILE);

constexpr int kTimeoutMs = 2000;

// Laid over whatever smb.conf the library read when it started: nothing is written (no file can be made
// under /dev/null, so the name cache and the other databases stay closed), NetBIOS is on, and the names
// of the browse list are looked for by broadcast before DNS is asked.
constexpr char kConfiguration[] = "[global]\n"
                                  "cache directory = /dev/null\n"
                                  "lock directory = /dev/null\n"
                                  "state directory = /dev/null\n"
                                  "private dir = /dev/null\n"
                                  "ncalrpc dir = /dev/null\n"
                                  "pid directory = /dev/null\n"
                                  "binddns dir = /dev/null\n"
                                  "disable netbios = no\n"
                                  "wins server =\n"
                                  "name resolve order = lmhosts bcast host\n";

void discardLog(void*, int, const char*) {}

void anonymous(SMBCCTX*, const char*, const char*, char* workgroup, int workgroupLength, char* user,
               int userLength, char* password, int passwordLength)
{
    for (const auto& [text, length] : {std::pair{workgroup, workgroupLength}, std::pair{user, userLength},
                                       std::pair{password, passwordLength}})
        if (length > 0)
            text[0] = '\0';
}

// Loads kConfiguration from memory, leaving no file behind.
bool loadConfiguration(SMBCCTX* context)
{
    const int fd = memfd_create("quorvex-smb.conf", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    const auto size = static_cast<ssize_t>(sizeof kConfiguration - 1);
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(fd);
    const bool loaded = write(fd, kConfiguration, size) == size && smbc_setConfiguration(context, path) == 0;
    close(fd);
    return loaded;
}

SMBCCTX* newContext()
{
    SMBCCTX* context = smbc_new_context();
    if (!context)
        return nullptr;
    smbc_setLogCallback(context, nullptr, discardLog);
    smbc_setDebug(context, 0);
    smbc_setTimeout(context, kTimeoutMs);
    smbc_setOptionUseKerberos(context, false);
    smbc_setOptionFallbackAfterKerberos(context, false);
    smbc_setOptionUseCCache(context, false);
    smbc_setUser(context, "");
    smbc_setWorkgroup(context, "");
    smbc_setFunctionAuthDataWithContext(context, anonymous);
    if (!loadConfiguration(context) || !smbc_init_context(context)) {
        smbc_free_context(context, 1);
        return nullptr;
    }
    return context;
}

// The library, used only from the worker's thread: its configuration, logging and protocol choice are
// process-wide, so one thread makes every call, with one context per protocol choice made on first use.
// Never destroyed, so the worker's tasks may use it.
class Library {
public:
    std::optional<SmbListing> read(const QByteArray& url, SmbProtocols protocols)
    {
        return m_worker
            .run([this, url, protocols] { return list(url, protocols); },
                 std::chrono::duration_cast<std::chrono::milliseconds>(kNeighbourhoodTimeout))
            .value_or(SmbListing{{}, ETIMEDOUT});
    }

private:
    // On the worker's thread.
    std::optional<SmbListing> list(const QByteArray& url, SmbProtocols protocols)
    {
        SMBCCTX*& context = m_contexts[protocols == SmbProtocols::Smb1 ? 0 : 1];
        if (!context)
            context = newContext();
        if (!context)
            return std::nullopt;
        // The range applies to the connections this call makes; cached ones belong to this context only.
        if (protocols == SmbProtocols::Smb1)
            smbc_setOptionProtocols(context, "NT1", "NT1");
        else
            smbc_setOptionProtocols(context, "default", "default");
        return readDirectory(
            [&] { return smbc_getFunctionOpendir(context)(context, url.constData()); },
            [&](SMBCFILE* directory) { return smbc_getFunctionReaddir(context)(context, directory); },
            [&](SMBCFILE* directory) { smbc_getFunctionClosedir(context)(context, directory); });
    }

    std::array<SMBCCTX*, 2> m_contexts{};
    DeadlineWorker m_worker;
};

} // namespace

std::optional<SmbListing> SmbClientReader::read(const QByteArray& url, SmbProtocols protocols) const
{
    // Never destroyed: a call that outlived its deadline may still be inside the library when the process
    // ends.
    static Library* const library = new Library;
    return library->read(url, protocols);
}

} // namespace qv::platform
