#pragma once

#include <cstdint>

namespace zarn::host {

#define ZARN_KFX_ENUM_BEGIN(name) enum name : std::int32_t {
#define ZARN_KFX_ENUMERATOR(name, value) name = value,
#define ZARN_KFX_ENUM_END(name) \
    }                           \
    ;
#include "host/kfx_enumerations.inc"
#undef ZARN_KFX_ENUM_BEGIN
#undef ZARN_KFX_ENUMERATOR
#undef ZARN_KFX_ENUM_END

}  // namespace zarn::host
