#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/key_data_type.h"
#include "transport/xml_document.h"

namespace zarn {

// Conversions of the texts of a catalogue reply.

// Base-10 integer as the C library reads a long: leading white space and one sign accepted,
// digits up to the first non-digit, no digits give 0. Values beyond the 32-bit range are
// clamped to it, as a 32-bit long saturates.
std::int32_t ParseInteger(std::u16string_view text);

// True exactly when the text reads as the integer 1.
bool ParseNumberFlag(std::u16string_view text);

// True exactly when the text is YES in any letter case.
bool ParseWordFlag(std::u16string_view text);

// The most UTF-16 code units that a catalogue text (a name, a description) keeps of what the
// server sent: a name or description is shown in one line of a list or label, and a server
// must not make one grow without bound.
inline constexpr std::size_t kMaxCatalogueText = 1024;

// Readers of one child element of a record, selected by its bare name. An absent child leaves
// the field as it was; a text is cut to kMaxCatalogueText units (never inside a surrogate
// pair). True when the child was there, which only a required field asks.
bool ReadTextField(const XmlNode& record, std::u16string_view child, std::u16string& field);
void ReadIntegerField(const XmlNode& record, std::u16string_view child, std::int32_t& field);
void ReadNumberFlagField(const XmlNode& record, std::u16string_view child, bool& field);
void ReadWordFlagField(const XmlNode& record, std::u16string_view child, bool& field);
void ReadKeyTypeField(const XmlNode& record, std::u16string_view child, KeyDataType& field);

}  // namespace zarn
