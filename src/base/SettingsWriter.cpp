#include "base/SettingsWriter.h"

#include <algorithm>
#include <iostream>
#include <system_error>

namespace vantor {
namespace fs = std::filesystem;

SettingsWriter::SettingsWriter(fs::path path) : path_(std::move(path)) {
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had: every change is then written by the caller, as
        // it comes, rather than lost.
    }
}

SettingsWriter::~SettingsWriter() {
    {
        std::unique_lock lock(mutex_);
        stopping_ = true;
        if (!unwritten_.empty()) {
            requestTry(lock);
        }
    }
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::uint64_t SettingsWriter::requestTry(std::unique_lock<std::mutex>&) {
    retryAt_.reset();
    return ++lastRequested_;
}

void SettingsWriter::change(const std::string& key, nlohmann::ordered_json value) {
    std::unique_lock lock(mutex_);
    auto [entry, added] = unwritten_.try_emplace(key);
    entry->second.value = std::move(value);
    entry->second.sequence = ++lastChange_;
    if (added) {
        entry->second.since = lastChange_;
    }
    tryNow(lock);
}

void SettingsWriter::flush() {
    std::unique_lock lock(mutex_);
    if (!unwritten_.empty()) {
        tryNow(lock);
    }
}

std::uint64_t SettingsWriter::tryNow(std::unique_lock<std::mutex>& lock) {
    std::uint64_t target = requestTry(lock);
    if (!thread_.joinable()) {
        writePending(lock);
    }
    wake_.notify_one();
    return target;
}

bool SettingsWriter::waitUntilWritten() {
    std::unique_lock lock(mutex_);
    if (unwritten_.empty()) {
        return true;
    }
    std::uint64_t target = tryNow(lock);
    attempted_.wait(lock, [&] { return lastAttempted_ >= target; });
    return unwritten_.empty();
}

bool SettingsWriter::writeBeforeExit(Clock::duration lockWait, Clock::duration limit) {
    auto deadline = Clock::now() + limit;
    std::unique_lock lock(mutex_);
    if (unwritten_.empty()) {
        return true;
    }
    exitLockWait_ = lockWait;
    std::uint64_t target = tryNow(lock);
    if (!attempted_.wait_until(lock, deadline, [&] { return lastAttempted_ >= target; })) {
        std::cerr << "vantor: writing the settings file " << path_
                  << " did not end in time; quitting without waiting for it\n";
        return false;
    }
    return unwritten_.empty();
}

std::vector<std::string> SettingsWriter::unwrittenKeys() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> keys;
    keys.reserve(unwritten_.size());
    for (const auto& entry : unwritten_) {
        keys.push_back(entry.first);
    }
    return keys;
}

void SettingsWriter::run() {
    std::unique_lock lock(mutex_);
    auto asked = [&] { return stopping_ || lastAttempted_ < lastRequested_; };
    for (;;) {
        if (lastAttempted_ < lastRequested_) {
            writePending(lock);
        } else if (stopping_) {
            return;  // only once everything handed over has been tried
        } else if (!retryAt_) {
            wake_.wait(lock, asked);
        } else if (!wake_.wait_until(lock, *retryAt_, asked)) {
            requestTry(lock);  // the lock was busy: time to look again
        }
    }
}

void SettingsWriter::writePending(std::unique_lock<std::mutex>& lock) {
    std::uint64_t target = lastRequested_;
    // Quitting waits longer for the lock, then writes without it.
    bool exiting = exitLockWait_ || stopping_;
    auto lockDeadline = Clock::now() + exitLockWait_.value_or(stopping_ ? exitLockWait : lockWait);
    // The latest value of every unwritten key: the state after the last change
    // handed over, whatever came between. In the order they were first
    // changed, so keys new to the file are added in the order they were set,
    // as memory holds them.
    std::vector<const std::pair<const std::string, Unwritten>*> entries;
    for (const auto& entry : unwritten_) {
        entries.push_back(&entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto* a, const auto* b) { return a->second.since < b->second.since; });
    Changes changes;
    std::vector<std::uint64_t> sequences;
    for (const auto* entry : entries) {
        changes.emplace_back(entry->first, entry->second.value);
        sequences.push_back(entry->second.sequence);
    }
    Outcome outcome = Outcome::written;
    if (!changes.empty()) {
        lock.unlock();
        outcome = write(changes, lockDeadline, exiting);
        lock.lock();
    }
    if (outcome == Outcome::written) {
        for (std::size_t i = 0; i < changes.size(); ++i) {
            auto it = unwritten_.find(changes[i].first);
            // A key changed again meanwhile waits for the next write.
            if (it != unwritten_.end() && it->second.sequence == sequences[i]) {
                unwritten_.erase(it);
            }
        }
        reportedBusy_ = false;
    } else if (outcome == Outcome::busy) {
        // Memory keeps the newest values; they go with the next try.
        if (!std::exchange(reportedBusy_, true)) {
            std::cerr << "vantor: another process holds the lock of the settings file " << path_
                      << "; changes are kept and written once it lets go\n";
        }
        if (lastRequested_ == target) {  // else a newer request tries at once
            retryAt_ = Clock::now() + retryDelay;
        }
    } else if (!std::exchange(reportedFailure_, true)) {
        // A failed write is not retried at once (the disk will not have
        // changed its mind); what it held goes with the next change or flush.
        std::cerr << "vantor: could not write the settings file " << path_
                  << "; changes are kept until Vantor quits\n";
    }
    lastAttempted_ = target;
    attempted_.notify_all();
}

bool SettingsWriter::readBaseIfReplaced() {
    if (baseKnown_ && currentIdentity(path_) == baseIdentity_) {
        return true;
    }
    SettingsFileRead read = readSettingsFile(path_);
    switch (read.state) {
        case SettingsFileRead::State::unreadable:
            // Never overwrite what the user had: keep it aside, or write nothing.
            if (!moveUnreadableFileAside(path_)) {
                return false;
            }
            [[fallthrough]];
        case SettingsFileRead::State::missing:
            base_ = nlohmann::ordered_json::object();
            baseIdentity_.reset();
            baseFile_ = UniqueFd();
            break;
        case SettingsFileRead::State::read:
            base_ = std::move(read.values);
            baseIdentity_ = read.identity;
            baseFile_ = std::move(read.file);
            break;
    }
    baseKnown_ = true;
    return true;
}

SettingsWriter::Outcome SettingsWriter::write(const Changes& changes,
                                              Clock::time_point lockDeadline, bool unlockedAfter) {
    std::error_code error;
    fs::create_directories(path_.parent_path(), error);
    if (error) {
        return Outcome::failed;
    }
    SettingsLock lock = SettingsLock::acquire(path_, lockDeadline);
    bool busy = lock.state() == SettingsLock::State::busy;
    if (busy && !unlockedAfter) {
        return Outcome::busy;
    }
    if (!readBaseIfReplaced()) {
        return Outcome::failed;
    }
    nlohmann::ordered_json merged = base_;
    for (const auto& [key, value] : changes) {
        merged[key] = value;
    }
    // Text that is not UTF-8 cannot be JSON; one such string must not keep
    // every other setting from being stored.
    std::string text =
        merged.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    UniqueFd file = replaceFileAtomically(path_, text);
    if (!file) {
        return Outcome::failed;
    }
    if (busy) {
        // The rename keeps the file whole; only a change the holder writes
        // meanwhile under other keys may be lost.
        std::cerr << "vantor: another process still held the lock of the settings file " << path_
                  << "; wrote it without the lock\n";
    }
    struct stat info {};
    if (::fstat(file.get(), &info) == 0) {
        base_ = std::move(merged);
        baseIdentity_ = FileIdentity::of(info);
        baseFile_ = std::move(file);
    } else {
        baseKnown_ = false;  // read it again next time
    }
    return Outcome::written;
}

}  // namespace vantor
