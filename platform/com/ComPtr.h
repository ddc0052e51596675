#pragma once
// An owning pointer to a reference-counted interface: holds one reference to its
// object while it points at it.
//
// Making a ComPtr from a raw pointer takes a new reference (AddRef); Adopt takes over a
// reference the caller already owns. Out-parameters of interface methods are filled
// through ReleaseAndGetAddressOf; CopyTo hands out a new reference.

#include <cstddef>
#include <type_traits>
#include <utility>

namespace kelmora {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) { }
    ComPtr(T* pointer) : m_pointer(pointer) { AddRefPointer(); }

    ComPtr(const ComPtr& other) : m_pointer(other.m_pointer) { AddRefPointer(); }
    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) { }

    // Upcasts from a pointer to a derived interface or class.
    template <class U>
        requires std::is_convertible_v<U*, T*>
    ComPtr(const ComPtr<U>& other) : m_pointer(other.Get()) { AddRefPointer(); }

    template <class U>
        requires std::is_convertible_v<U*, T*>
    ComPtr(ComPtr<U>&& other) noexcept : m_pointer(other.Detach()) { }

    ~ComPtr() { ReleasePointer(); }

    ComPtr& operator=(const ComPtr& other)
    {
        Reset(other.m_pointer);
        return *this;
    }

    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = std::exchange(m_pointer, std::exchange(other.m_pointer, nullptr));
            if (old != nullptr)
                old->Release();
        }
        return *this;
    }

    ComPtr& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }

    // Takes over one reference that the caller owns, without AddRef.
    static ComPtr Adopt(T* pointer)
    {
        ComPtr result;
        result.m_pointer = pointer;
        return result;
    }

    T* Get() const { return m_pointer; }
    T* operator->() const { return m_pointer; }
    T& operator*() const { return *m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Points at `pointer` (taking a reference to it) and releases the old object. The
    // new reference is taken first, so resetting to the same object is safe.
    void Reset(T* pointer = nullptr)
    {
        if (pointer != nullptr)
            pointer->AddRef();
        T* old = std::exchange(m_pointer, pointer);
        if (old != nullptr)
            old->Release();
    }

    // Gives up the reference without releasing it; the caller now owns it.
    [[nodiscard]] T* Detach() { return std::exchange(m_pointer, nullptr); }

    // Releases the object and returns the slot, for a call that fills an out-parameter
    // with a reference the ComPtr then owns.
    T** ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_pointer;
    }

    // Hands out a new reference (or null) through an out-parameter.
    void CopyTo(T** out) const
    {
        *out = m_pointer;
        AddRefPointer();
    }

    friend bool operator==(const ComPtr& first, const ComPtr& second) { return first.m_pointer == second.m_pointer; }
    friend bool operator==(const ComPtr& first, const T* second) { return first.m_pointer == second; }
    friend bool operator==(const ComPtr& first, std::nullptr_t) { return first.m_pointer == nullptr; }

private:
    void AddRefPointer() const
    {
        if (m_pointer != nullptr)
            m_pointer->AddRef();
    }

    void ReleasePointer()
    {
        if (m_pointer != nullptr)
            std::exchange(m_pointer, nullptr)->Release();
    }

    T* m_pointer = nullptr;
};

} // namespace kelmora
