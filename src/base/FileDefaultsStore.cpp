#include "base/FileDefaultsStore.h"

#include <algorithm>
#include <iostream>

#include "base/FileChangeWatch.h"
#include "base/SettingsWriter.h"
#include "base/XdgEnvironment.h"

namespace vantor {
namespace fs = std::filesystem;

namespace {

// A temporary file this old was left by a writer that died before its rename;
// a younger one may be another instance's write in progress.
constexpr std::chrono::seconds staleTemporaryAge{60};

}  // namespace

fs::path FileDefaultsStore::defaultPath() {
    fs::path base = absolutePathVariable("XDG_CONFIG_HOME");
    if (base.empty()) {
        std::string home = homeFolder();
        if (home.empty()) {
            return {};
        }
        base = fs::path(home) / ".config";
    }
    return base / "vantor" / "defaults.json";
}

FileDefaultsStore::FileDefaultsStore(fs::path path) : path_(std::move(path)) {
    if (path_.empty()) {
        std::cerr << "vantor: no home folder to keep the settings in; they last until Vantor "
                     "quits\n";
        return;
    }
    removeStaleTemporaryFiles(path_, std::chrono::system_clock::now(), staleTemporaryAge);
    SettingsFileRead read = readSettingsFile(path_);
    if (read.state == SettingsFileRead::State::read) {
        replaceValues(std::move(read.values));
    }
    // An unreadable file reads as empty; the writer keeps it aside before its
    // first write.
    seenIdentity_ = read.identity;
    seenFile_ = std::move(read.file);
    writer_ = std::make_unique<SettingsWriter>(path_);
}

FileDefaultsStore::~FileDefaultsStore() {
    stopWatching();
}

void FileDefaultsStore::didSet(std::string_view key) {
    if (!writer_) {
        return;
    }
    std::string name(key);
    writer_->change(name, values().at(name));
}

void FileDefaultsStore::flush() {
    if (writer_) {
        writer_->flush();
    }
}

bool FileDefaultsStore::waitUntilWritten() {
    return writer_ && writer_->waitUntilWritten();
}

bool FileDefaultsStore::writeBeforeExit(std::chrono::milliseconds lockWait,
                                        std::chrono::milliseconds limit) {
    return writer_ && writer_->writeBeforeExit(lockWait, limit);
}

std::vector<std::string> FileDefaultsStore::takeOutsideChanges() {
    if (!writer_) {
        return {};
    }
    auto identity = currentIdentity(path_);
    if (identity == seenIdentity_) {
        return {};
    }
    // Asked before reading: a key written after this question is in the file
    // read below, with the value memory holds or a newer one.
    std::vector<std::string> ownKeys = writer_->unwrittenKeys();
    SettingsFileRead read = readSettingsFile(path_);
    seenIdentity_ = read.identity;
    seenFile_ = std::move(read.file);
    if (read.state != SettingsFileRead::State::read) {
        return {};  // gone or broken: memory stays as it is, the next write mends it
    }
    std::vector<std::string> changed;
    nlohmann::ordered_json updated = values();
    for (auto& [key, value] : read.values.items()) {
        if (std::find(ownKeys.begin(), ownKeys.end(), key) != ownKeys.end()) {
            continue;
        }
        auto current = updated.find(key);
        if (current == updated.end() || *current != value) {
            updated[key] = std::move(value);
            changed.push_back(key);
        }
    }
    if (!changed.empty()) {
        replaceValues(std::move(updated));
    }
    return changed;
}

void FileDefaultsStore::watchForOutsideChanges(MainQueue& queue, OutsideChange onChange,
                                               MainQueue::Duration interval) {
    stopWatching();
    watchQueue_ = &queue;
    watchInterval_ = interval;
    onOutsideChange_ = std::move(onChange);
    if (!writer_) {
        return;  // no file: nobody else can change it
    }
    auto stopped = std::make_shared<std::atomic<bool>>(false);
    watchStopped_ = stopped;
    fileWatch_ = FileChangeWatch::start(path_, [this, stopped, &queue] {
        queue.post([this, stopped] {
            if (!stopped->load()) {
                tellOutsideChanges();
            }
        });
    });
    if (!fileWatch_) {
        scheduleWatch();
    }
}

void FileDefaultsStore::stopWatching() {
    if (watchStopped_) {
        watchStopped_->store(true);
        watchStopped_.reset();
    }
    fileWatch_.reset();
    watchTimer_.cancel();
    watchQueue_ = nullptr;
}

void FileDefaultsStore::scheduleWatch() {
    watchTimer_ = watchQueue_->postAfter(watchInterval_, [this] {
        scheduleWatch();
        tellOutsideChanges();
    });
}

void FileDefaultsStore::tellOutsideChanges() {
    auto keys = takeOutsideChanges();
    if (!keys.empty() && onOutsideChange_) {
        onOutsideChange_(keys);
    }
}

}  // namespace vantor
