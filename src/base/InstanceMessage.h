#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace vantor {

// What a later start of the program asks of the running tray, and the answer:
// each one JSON object on one line, so an argument holding a newline stays
// inside its request, and a tray refuses a request it does not know instead
// of misreading it.
struct InstanceRequest {
    enum class Kind { show, toggle, menu };
    Kind kind = Kind::show;
    std::string entry;  // for menu: "每页数量/48 个"

    bool operator==(const InstanceRequest&) const = default;
};

struct InstanceAnswer {
    bool done = false;
    std::string error;  // why not, when not done
};

// A longer line is refused unread: no request needs more.
constexpr std::size_t maxInstanceMessageBytes = 64 * 1024;

// The line, newline included. Bytes that are not UTF-8 become U+FFFD, as the
// menu shows such titles.
std::string encodeRequest(const InstanceRequest& request);
// The request a line (without its newline) holds, or why it is refused.
std::variant<InstanceRequest, std::string> decodeRequest(std::string_view line);

std::string encodeAnswer(const InstanceAnswer& answer);
// An answer that does not parse counts as a refusal, with a reason that says so.
InstanceAnswer decodeAnswer(std::string_view line);

}  // namespace vantor
