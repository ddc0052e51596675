#include "platform/storage/GsfSupport.h"

#include <mutex>

namespace kelmora::gsf_support {

namespace {

thread_local unsigned t_damageReports = 0;

void DropMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) { ++t_damageReports; }

} // namespace

void EnsureInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        // The compound-file reader warns on stderr about every damaged structure it meets.
        // Damage reaches callers as a StorageError; the warnings would only be noise, so
        // they are only counted.
        g_log_set_handler("libgsf:msole",
            GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_MESSAGE),
            DropMessage, nullptr);
    });
}

unsigned DamageReports() { return t_damageReports; }

std::string TakeErrorMessage(GError* error, const char* fallback)
{
    if (!error)
        return fallback;
    std::string message = error->message ? error->message : fallback;
    g_error_free(error);
    return message;
}

} // namespace kelmora::gsf_support
