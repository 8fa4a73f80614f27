#include "base/InstanceMessage.h"

#include <nlohmann/json.hpp>

#include "base/JsonNesting.h"

namespace vantor {
namespace {

using Json = nlohmann::json;

constexpr std::pair<InstanceRequest::Kind, std::string_view> kindNames[] = {
    {InstanceRequest::Kind::show, "show"},
    {InstanceRequest::Kind::toggle, "toggle"},
    {InstanceRequest::Kind::menu, "menu"},
};

std::string dumpLine(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace

std::string encodeRequest(const InstanceRequest& request) {
    Json line;
    for (const auto& [kind, name] : kindNames) {
        if (kind == request.kind) {
            line["request"] = name;
        }
    }
    if (request.kind == InstanceRequest::Kind::menu) {
        line["entry"] = request.entry;
    }
    return dumpLine(line);
}

std::variant<InstanceRequest, std::string> decodeRequest(std::string_view line) {
    if (line.size() > maxInstanceMessageBytes) {
        return "the request is longer than 64 KiB";
    }
    // The parser refuses invalid UTF-8 and raw control characters, NUL among them.
    Json value = jsonNestingWithin(line) ? Json::parse(line, nullptr, false) : Json();
    if (!value.is_object()) {
        return "the request is not one JSON object";
    }
    const Json& name = value.value("request", Json());
    InstanceRequest request;
    bool known = false;
    for (const auto& [kind, text] : kindNames) {
        if (name.is_string() && name.get_ref<const std::string&>() == text) {
            request.kind = kind;
            known = true;
        }
    }
    bool isMenu = known && request.kind == InstanceRequest::Kind::menu;
    const Json& entry = value.value("entry", Json());
    // Any member this program does not know could change what the sender
    // meant: refused rather than ignored.
    if (!known || value.size() != (isMenu ? 2u : 1u) || (isMenu && !entry.is_string())) {
        return "this Vantor does not know the request " + value.dump().substr(0, 200) +
               "; a newer Vantor may have sent it: quit this one and start the new one";
    }
    if (isMenu) {
        request.entry = entry.get<std::string>();
        if (request.entry.find('\0') != std::string::npos) {
            return "a menu entry holds no NUL character";
        }
    }
    return request;
}

std::string encodeAnswer(const InstanceAnswer& answer) {
    Json line{{"done", answer.done}};
    if (!answer.done) {
        line["error"] = answer.error;
    }
    return dumpLine(line);
}

InstanceAnswer decodeAnswer(std::string_view line) {
    Json value = Json::parse(line, nullptr, false);
    if (value.is_object() && value.value("done", Json()).is_boolean()) {
        InstanceAnswer answer{value["done"].get<bool>(), {}};
        const Json& error = value.value("error", Json());
        answer.error = error.is_string() ? error.get<std::string>() : "";
        if (!answer.done && answer.error.empty()) {
            answer.error = "the running Vantor refused without a reason";
        }
        return answer;
    }
    return {false,
            "the running Vantor did not understand the request (an older version?); quit "
            "it and start vantor again"};
}

}  // namespace vantor
