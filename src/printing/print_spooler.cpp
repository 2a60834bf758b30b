#include "printing/printing.h"

#include <dlfcn.h>

namespace cratefall::printing {
namespace {

// The spooler library's status codes below this are successes (IPP's 0x00xx range).
constexpr int firstFailureStatus = 0x0100;

using LastError = int (*)();
using LastErrorString = const char* (*)();

// A loaded library, held only while it is read. RTLD_NOLOAD: the library must be the very copy
// Qt's print plugin used, because its last status is kept per process and thread.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* soname) : m_handle(dlopen(soname, RTLD_LAZY | RTLD_NOLOAD))
    {}
    ~LoadedLibrary()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <class Function> Function symbol(const char* name) const
    {
        return m_handle ? reinterpret_cast<Function>(dlsym(m_handle, name)) : nullptr;
    }

private:
    void* m_handle;
};

} // namespace

std::optional<std::string> spoolerRefusal()
{
    // Not loaded means Qt printed through something other than CUPS, which reports for itself.
    const LoadedLibrary cups("libcups.so.2");
    const auto lastError = cups.symbol<LastError>("cupsLastError");
    const auto lastErrorString = cups.symbol<LastErrorString>("cupsLastErrorString");
    if (!lastError || lastError() < firstFailureStatus)
        return std::nullopt;
    const char* reason = lastErrorString ? lastErrorString() : nullptr;
    return std::string(reason && *reason ? reason : "the print spooler refused the job");
}

} // namespace cratefall::printing
