#pragma once

#include <string>
#include <vector>

namespace vantor {

// What the command line asks for.
struct CommandLine {
    enum class Action { runTray, showLauncher, listApplications, help, version, invalid };
    Action action = Action::runTray;
    std::string error;  // for invalid: one line saying what is wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace vantor
