#pragma once
// Results of storage operations: a value, or an error that says what went wrong.

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace kelmora {

enum class StorageErrorCode {
    NotFound,      // no element of that name, or it is of the other kind
    InvalidName,   // empty, longer than 31 UTF-16 characters, or holding / \ : !
    Corrupt,       // the compound file's structure is damaged or truncated
    Io,            // the file could not be opened, read or written
};

struct StorageError {
    StorageErrorCode code;
    std::string message;
};

// Either a value or a StorageError. Test with `if (result)`, take the value with `*` or
// `->`, the error with `Error()`.
template <typename T>
class StorageResult {
public:
    StorageResult(T value) : m_state(std::move(value)) { }
    StorageResult(StorageError error) : m_state(std::move(error)) { }

    explicit operator bool() const { return std::holds_alternative<T>(m_state); }

    T& operator*() { assert(*this); return std::get<T>(m_state); }
    const T& operator*() const { assert(*this); return std::get<T>(m_state); }
    T* operator->() { return &**this; }
    const T* operator->() const { return &**this; }

    const StorageError& Error() const { assert(!*this); return std::get<StorageError>(m_state); }

private:
    std::variant<T, StorageError> m_state;
};

// Success or a StorageError, for operations that give nothing back.
template <>
class StorageResult<void> {
public:
    StorageResult() = default;
    StorageResult(StorageError error) : m_error(std::move(error)), m_failed(true) { }

    explicit operator bool() const { return !m_failed; }
    const StorageError& Error() const { assert(m_failed); return m_error; }

private:
    StorageError m_error { StorageErrorCode::Io, {} };
    bool m_failed = false;
};

using StorageStatus = StorageResult<void>;

} // namespace kelmora
