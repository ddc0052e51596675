#pragma once
// The error an Archive raises when a record cannot be read or written.
//
// The cause numbers are those the document code and its messages know from the
// archive format's own library (a short read is cause 3, end of file).

#include <stdexcept>
#include <string>

namespace kelmora {

class ArchiveException : public std::runtime_error {
public:
    enum class Cause : int {
        None = 0,
        Generic = 1,
        ReadOnly = 2,   // a store operation on an archive that loads
        EndOfFile = 3,  // a read beyond the end, or a length or count larger than what remains
        WriteOnly = 4,  // a load operation on an archive that stores
        BadIndex = 5,   // an object or class reference that names nothing usable
        BadClass = 6,   // an unknown class, or one not of the expected kind
        BadSchema = 7,  // a class stored with a schema this program does not read
        BufferFull = 8,
        NestedTooDeeply = 9, // objects inside objects beyond Archive::kMaxObjectNesting
    };

    // `detail` names what was wrong ("unknown class \"CDrawFoo\""); it may be empty.
    explicit ArchiveException(Cause cause, const std::string& detail = {});

    Cause GetCause() const { return m_cause; }

    // A short English description of a cause, e.g. "unexpected end of file".
    static const char* Describe(Cause cause);

private:
    Cause m_cause;
};

} // namespace kelmora
