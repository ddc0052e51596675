#include "platform/storage/GsfSupport.h"

#include <mutex>

namespace kelmora::gsf_support {

void EnsureInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

std::string TakeErrorMessage(GError* error, const char* fallback)
{
    if (!error)
        return fallback;
    std::string message = error->message ? error->message : fallback;
    g_error_free(error);
    return message;
}

} // namespace kelmora::gsf_support
