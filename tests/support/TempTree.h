#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantor::testing {

// What a file holds ("" when it cannot be read).
std::string readFile(const std::string& path);

// A temporary folder tree, removed with everything in it (whatever its permissions) when it goes.
class TempTree {
public:
    explicit TempTree(const std::string& base = "/tmp");
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::string path(const std::string& relative = "") const;
    std::string folder(const std::string& relative) const;  // made with its parents
    std::string file(const std::string& relative, const std::string& contents = "") const;
    std::string link(const std::string& relative, const std::string& target) const;
    std::string read(const std::string& relative) const { return readFile(path(relative)); }

private:
    std::string root_;
};

// Sets and clears environment variables, restoring every one on destruction.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value);
    void unset(const std::string& name);

private:
    void remember(const std::string& name);
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace vantor::testing
