#include "platform/archive/ArchiveException.h"

namespace kelmora {

namespace {

std::string Message(ArchiveException::Cause cause, const std::string& detail)
{
    std::string message = "archive: ";
    message += ArchiveException::Describe(cause);
    if (!detail.empty()) {
        message += ": ";
        message += detail;
    }
    return message;
}

} // namespace

ArchiveException::ArchiveException(Cause cause, const std::string& detail)
    : std::runtime_error(Message(cause, detail))
    , m_cause(cause)
{
}

const char* ArchiveException::Describe(Cause cause)
{
    switch (cause) {
    case Cause::None: return "no error";
    case Cause::Generic: return "unexpected error";
    case Cause::ReadOnly: return "write to an archive opened for loading";
    case Cause::EndOfFile: return "unexpected end of file";
    case Cause::WriteOnly: return "read from an archive opened for storing";
    case Cause::BadIndex: return "invalid object reference";
    case Cause::BadClass: return "unexpected class";
    case Cause::BadSchema: return "unsupported version of a class";
    case Cause::BufferFull: return "buffer full";
    case Cause::NestedTooDeeply: return "objects nested too deeply";
    }
    return "unknown error";
}

} // namespace kelmora
