#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "base/MainQueue.h"
#include "model/ApplicationItem.h"

namespace vantor {

// What one scan of the installed applications found. A scan that could walk
// none of its folders has failed: its empty list says nothing about what is
// installed, and installing it would dissolve every folder.
struct ScanResult {
    std::vector<ApplicationItem> applications;
    bool anyRootWalked = true;
};

// Runs a job off the main thread.
class BackgroundWorker {
public:
    virtual ~BackgroundWorker() = default;
    // Throws (std::system_error, for one) when the job cannot be started.
    virtual void start(std::function<void()> job) = 0;
};

// What the model needs to reload: the scan, a thread to run it on, and the
// main queue its result comes back through.
struct ReloadServices {
    using Duration = MainQueue::Duration;
    std::function<ScanResult()> scan;
    BackgroundWorker* worker = nullptr;
    MainQueue* mainQueue = nullptr;
    // How long an application a scan no longer finds keeps its places before
    // they are given up: package updates re-create entries, and a rescan
    // follows every change. Without a main queue there is no waiting.
    Duration missingGrace = std::chrono::minutes(10);
};

}  // namespace vantor
