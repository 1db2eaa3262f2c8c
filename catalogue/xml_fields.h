#pragma once

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

// Readers of one child element of a record, selected by its bare name. An absent child leaves
// the field as it was.
void ReadTextField(const XmlNode& record, std::u16string_view child, std::u16string& field);
void ReadIntegerField(const XmlNode& record, std::u16string_view child, std::int32_t& field);
void ReadNumberFlagField(const XmlNode& record, std::u16string_view child, bool& field);
void ReadWordFlagField(const XmlNode& record, std::u16string_view child, bool& field);
void ReadKeyTypeField(const XmlNode& record, std::u16string_view child, KeyDataType& field);

}  // namespace zarn
