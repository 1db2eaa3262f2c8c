#pragma once

#include <cstdint>
#include <string>

#include "host/capture_host.h"
#include "transport/multipart_body.h"

namespace zarn {

// Adds one or more text fields for every release value whose destination has a stored key name
// "docTypeKeyName[<destination>]", named by that key name. With a row separator every value is
// split into pieces; otherwise a table value gives one field per row. Every failure is silent:
// the value, row or piece concerned is left out.
void AddKeyFields(host::IReleaseData& data, host::IValues& values, std::int32_t count,
                  const std::u16string& rowSeparator, MultipartBody& body);

// One text field per piece of `value` between occurrences of `separator` (never empty). An
// empty value adds nothing; a trailing separator adds no empty piece.
void AddSplitValue(MultipartBody& body, const std::u16string& name, std::u16string_view value,
                   std::u16string_view separator);

// One text field per row of a table value. False when the rows or their count cannot be read.
[[nodiscard]] bool AddTableRows(MultipartBody& body, const std::u16string& name,
                                host::IValue& value);

}  // namespace zarn
