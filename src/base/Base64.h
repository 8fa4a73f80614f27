#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// Standard base64 with padding (RFC 4648).
std::string encodeBase64(std::string_view bytes);
// Nothing when the text is not well-formed base64.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace vantor
