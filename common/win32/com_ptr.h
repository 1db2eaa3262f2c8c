#pragma once

#include "common/win32/com.h"

#include <utility>

namespace zarn::win32 {

// Holds one counted reference to a COM object and releases it when it lets go.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference that the caller already owns.
    static ComPtr Adopt(T* pointer) {
        ComPtr held;
        held.pointer_ = pointer;
        return held;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* pointer) {
        if (pointer)
            pointer->AddRef();
        return Adopt(pointer);
    }

    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (T* held = std::exchange(pointer_, nullptr))
            held->Release();
    }

    // For an out-parameter: releases what it held and hands out its slot.
    T** Receive() {
        Reset();
        return &pointer_;
    }
    // Gives the reference to the caller.
    T* Detach() { return std::exchange(pointer_, nullptr); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    T& operator*() const { return *pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Asks the object for another of its interfaces.
    template <typename Other>
    [[nodiscard]] HRESULT As(const IID& iid, ComPtr<Other>& other) const {
        if (!pointer_)
            return E_POINTER;
        return pointer_->QueryInterface(iid, reinterpret_cast<void**>(other.Receive()));
    }

  private:
    T* pointer_ = nullptr;
};

}  // namespace zarn::win32

namespace zarn::win32 {

// COM identity: two interface pointers belong to one object when both answer the same IUnknown.
inline bool SameObject(IUnknown* first, IUnknown* second) {
    if (first == second)
        return true;
    if (!first || !second)
        return false;
    ComPtr<IUnknown> firstIdentity;
    ComPtr<IUnknown> secondIdentity;
    return SUCCEEDED(first->QueryInterface(IID_IUnknown,
                                           reinterpret_cast<void**>(firstIdentity.Receive()))) &&
           SUCCEEDED(second->QueryInterface(IID_IUnknown,
                                            reinterpret_cast<void**>(secondIdentity.Receive()))) &&
           firstIdentity.get() == secondIdentity.get();
}

}  // namespace zarn::win32
