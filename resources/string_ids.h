#pragma once

#include <cstdint>

namespace zarn {

inline constexpr std::uint32_t IDS_RETRIEVE_FAILED = 11002;
inline constexpr std::uint32_t IDS_SETUP_CAPTION = 11003;
inline constexpr std::uint32_t IDS_CREDENTIALS_REQUIRED = 11004;

}  // namespace zarn
