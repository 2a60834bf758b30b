#include "printing/printing.h"

namespace cratefall::printing {

// Qt's Windows print engine hears the spooler's answer itself and fails the job with it, so
// there is nothing left to ask afterwards.
std::optional<std::string> spoolerRefusal()
{
    return std::nullopt;
}

} // namespace cratefall::printing
