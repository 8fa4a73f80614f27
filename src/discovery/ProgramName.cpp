#include "discovery/ProgramName.h"

#include <vector>

#include "base/Text.h"
#include "discovery/GLibPointers.h"

namespace vantor {
namespace {

std::vector<std::string> splitCommand(std::string_view exec) {
    std::string line(exec);
    gint count = 0;
    gchar** words = nullptr;
    // The quoting of Exec is the shell's, as GIO splits it too.
    if (!g_shell_parse_argv(line.c_str(), &count, &words, nullptr)) {
        return {};
    }
    GStrvPtr owned(words);
    return std::vector<std::string>(words, words + count);
}

std::string lastComponent(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isAssignment(const std::string& word) {
    std::size_t equals = word.find('=');
    return equals != std::string::npos && equals > 0 && word[0] != '-';
}

// The application id after the launcher program's own options: its last
// dotted part ("org.gnome.Terminal" → "Terminal").
std::string applicationIDPart(const std::vector<std::string>& words, std::size_t from) {
    for (std::size_t i = from; i < words.size(); ++i) {
        if (words[i].starts_with('-')) {
            continue;
        }
        std::size_t dot = words[i].rfind('.');
        return dot == std::string::npos ? words[i] : words[i].substr(dot + 1);
    }
    return "";
}

}  // namespace

std::string programOfCommand(std::string_view exec) {
    std::vector<std::string> words = splitCommand(exec);
    std::size_t i = 0;
    if (i < words.size() && lastComponent(words[i]) == "env") {
        ++i;
        while (i < words.size() && (isAssignment(words[i]) || words[i].starts_with('-'))) {
            // These two take the next word as their value.
            bool takesValue = words[i] == "-u" || words[i] == "--unset" || words[i] == "-C" ||
                              words[i] == "--chdir";
            i += takesValue ? 2 : 1;
        }
    } else {
        while (i < words.size() && isAssignment(words[i])) {
            ++i;
        }
    }
    if (i >= words.size()) {
        return "";
    }
    std::string program = lastComponent(words[i]);
    std::string next = i + 1 < words.size() ? words[i + 1] : "";
    if (((program == "flatpak" || program == "snap") && next == "run") ||
        (program == "gapplication" && next == "launch")) {
        std::string part = applicationIDPart(words, i + 2);
        if (!part.empty()) {
            return part;
        }
    }
    return isValidUtf8(program, NulBytes::refused) ? program : "";
}

}  // namespace vantor
