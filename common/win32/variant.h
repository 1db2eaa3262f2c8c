#pragma once

#include "common/win32/com.h"

namespace zarn::win32 {

// An owned VARIANT, cleared when it goes.
class Variant {
  public:
    Variant() { ::VariantInit(&value_); }
    ~Variant() { ::VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }
    // Clears what it held and hands out the cleared VARIANT to be filled.
    VARIANT* Receive() {
        ::VariantClear(&value_);
        return &value_;
    }

  private:
    VARIANT value_;
};

}  // namespace zarn::win32
