#pragma once
// Shared helpers for the libgsf-based storage code. Not part of the public interface.

#include <gsf/gsf.h>

#include <string>

namespace kelmora::gsf_support {

// Initialises libgsf once per process; safe from any thread.
void EnsureInitialised();

// Owns one reference to a GObject.
template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* object) : m_object(object) { }   // takes over a reference
    Ref(const Ref& other) : m_object(other.m_object) { if (m_object) g_object_ref(m_object); }
    Ref(Ref&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    Ref& operator=(Ref other) noexcept { std::swap(m_object, other.m_object); return *this; }
    ~Ref() { if (m_object) g_object_unref(m_object); }

    T* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

// How many complaints about damaged structures the compound-file reader has made on this
// thread. The reader leaves out a directory entry it cannot trust (a stream that claims
// more bytes than the file holds) with no more than such a complaint, so a count that
// grows while a directory is read means that entries may be missing from it.
unsigned DamageReports();

// The message of a GError, which it then frees; `fallback` when there is none.
std::string TakeErrorMessage(GError* error, const char* fallback);

} // namespace kelmora::gsf_support
