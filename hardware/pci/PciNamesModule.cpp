#include "hardware/pci/PciNames.h"

extern "C" {
#include <pci/pci.h>
}

#include <csetjmp>
#include <cstdarg>
#include <cstring>
#include <mutex>

namespace {

// The hwdata names, read by libpci; without them libpci's own default is kept.
constexpr char kHwdataIds[] = "/usr/share/hwdata/pci.ids";

// libpci reports a damaged name list through an error function that must not return; it jumps back
// to the lookup, which then answers that it knows nothing. Only plain C data lives across the jump.
std::jmp_buf* g_lookupFailed = nullptr;

__attribute__((noreturn)) void failLookup(char*, ...)
{
    std::longjmp(*g_lookupFailed, 1);
}

void ignoreMessage(char*, ...) {}

pci_access* namesAccess()
{
    pci_access* access = pci_alloc();
    access->error = failLookup;
    access->warning = ignoreMessage;
    access->debug = ignoreMessage;
    if (access->id_file_name && std::strcmp(access->id_file_name, kHwdataIds) != 0) {
        if (FILE* file = std::fopen(kHwdataIds, "r")) {
            std::fclose(file);
            pci_set_name_list_path(access, const_cast<char*>(kHwdataIds), 0);
        }
    }
    return access;
}

void copyName(const char* name, char* out, std::size_t size)
{
    if (size == 0)
        return;
    std::strncpy(out, name ? name : "", size - 1);
    out[size - 1] = '\0';
}

} // namespace

// Only the local name list: never the network and never udev's database of the machine that runs us.
extern "C" __attribute__((visibility("default"))) bool
qvLookUpPciNames(unsigned vendor, unsigned device, char* vendorName, std::size_t vendorSize, char* deviceName,
                 std::size_t deviceSize)
{
    static std::mutex lock;
    const std::lock_guard guard(lock);
    static pci_access* const access = namesAccess();
    constexpr int kFlags = PCI_LOOKUP_NO_NUMBERS | PCI_LOOKUP_NO_HWDB;
    char vendorText[256] = {};
    char deviceText[256] = {};
    // Kept in memory across the jump.
    const char* volatile vendorFound = nullptr;
    const char* volatile deviceFound = nullptr;
    std::jmp_buf failed;
    g_lookupFailed = &failed;
    if (setjmp(failed) == 0) {
        vendorFound =
            pci_lookup_name(access, vendorText, sizeof vendorText, PCI_LOOKUP_VENDOR | kFlags, vendor);
        deviceFound = pci_lookup_name(access, deviceText, sizeof deviceText, PCI_LOOKUP_DEVICE | kFlags,
                                      vendor, device);
    }
    g_lookupFailed = nullptr;
    copyName(vendorFound, vendorName, vendorSize);
    copyName(deviceFound, deviceName, deviceSize);
    return vendorFound || deviceFound;
}
