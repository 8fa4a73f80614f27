#include "app/CommandLine.h"

namespace vantor {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        CommandLine::Action action;
        if (argument == "--help" || argument == "-h") {
            action = CommandLine::Action::help;
        } else if (argument == "--version") {
            action = CommandLine::Action::version;
        } else if (argument == "--list-applications") {
            action = CommandLine::Action::listApplications;
        } else if (argument == "--show") {
            action = CommandLine::Action::showLauncher;
        } else if (argument == "--toggle") {
            action = CommandLine::Action::toggleLauncher;
        } else if (argument == "--menu") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return {CommandLine::Action::invalid,
                        "--menu needs an entry, such as \"触发角/左下角\"",
                        {}};
            }
            action = CommandLine::Action::chooseMenuEntry;
            result.menuEntry = arguments[++i];
        } else {
            return {CommandLine::Action::invalid, "unknown option: " + argument, {}};
        }
        if (result.action != CommandLine::Action::runTray && result.action != action) {
            return {CommandLine::Action::invalid, "choose one of the options, not several", {}};
        }
        result.action = action;
    }
    return result;
}

std::string usageText() {
    return "Usage: vantor [option]\n"
           "Vantor is a full-screen application launcher that opens when the pointer\n"
           "enters a screen corner. Without an option it starts in the system tray.\n"
           "\n"
           "  --show               ask the running Vantor to show its launcher\n"
           "  --toggle             show the running Vantor's launcher, or close it when it\n"
           "                       is open (for a keyboard shortcut)\n"
           "  --menu ENTRY         choose an entry of the running Vantor's tray menu, for\n"
           "                       desktops without a tray, e.g. --menu \"每页数量/48 个\";\n"
           "                       only the first \"/\" separates, so\n"
           "                       --menu \"已隐藏的应用/Thunderbird 邮件/新闻\" shows that one "
           "again\n"
           "  --list-applications  print each installed application: id, a tab, name\n"
           "  --version            print the version\n"
           "  --help               print this text\n";
}

}  // namespace vantor
