#pragma once

#include <filesystem>
#include <string>

namespace vantor::bench {

// A temporary home whose user applications are `count` desktop entries made
// from the sample applications (names numbered when there are more entries
// than samples), with the sample icons reachable through XDG_DATA_DIRS.
// Sets HOME and the XDG variables of this process to it.
class BenchHome {
public:
    explicit BenchHome(int count);
    ~BenchHome();
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// The sample applications folder (shared/sample-apps/share), found from the
// source tree; empty when it is not there.
std::filesystem::path sampleShare();

// Resident memory of this process, in MiB.
double residentMemoryMiB();

}  // namespace vantor::bench
