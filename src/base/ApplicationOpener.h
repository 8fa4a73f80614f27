#pragma once

#include <string>

namespace vantor {

// Starts applications for the launcher. Main thread only.
class ApplicationOpener {
public:
    virtual ~ApplicationOpener() = default;

    // Starts the application whose desktop entry or bundle lies at `path`,
    // without waiting; a failure is absorbed.
    virtual void openApplication(const std::string& path) = 0;
    // Starts the desktop action `action` ("new-window") of the desktop entry
    // at `path` the same way; a failure is absorbed.
    virtual void openApplicationAction(const std::string& path, const std::string& action) = 0;
};

}  // namespace vantor
