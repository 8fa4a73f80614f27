#pragma once

#include <string>
#include <vector>

namespace vantor {

// What the command line asks for.
struct CommandLine {
    enum class Action {
        runTray,
        showLauncher,
        toggleLauncher,
        chooseMenuEntry,
        listApplications,
        help,
        version,
        invalid
    };
    Action action = Action::runTray;
    std::string error;      // for invalid: one line saying what is wrong
    std::string menuEntry;  // for chooseMenuEntry: "每页数量/48 个"
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace vantor
