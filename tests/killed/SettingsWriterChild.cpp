// Changes the settings as fast as it can, for a test that kills it at random
// moments: settings_writer_child <file> <seed> <count>. After each change it
// writes one byte to stdout, so the test knows how far it got; after every
// fifth it waits for the disk, as the end of a drag does.
#include <unistd.h>

#include <cstdlib>

#include "platform/FileDefaultsStore.h"
#include "support/SettingsChangeScript.h"

namespace {

// Counts the script's changes as they reach it.
class ReportingStore : public vantor::FileDefaultsStore {
public:
    using FileDefaultsStore::FileDefaultsStore;
    int changes = 0;

protected:
    void didSet(std::string_view key) override {
        FileDefaultsStore::didSet(key);
        if (++changes % 5 == 0) {
            flush();
        }
        char progress = 'c';
        if (::write(STDOUT_FILENO, &progress, 1) != 1) {
            std::_Exit(1);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    ReportingStore store(argv[1]);
    vantor::testing::applySettingsChanges(
        store, static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), std::atoi(argv[3]));
    return store.flush() ? 0 : 1;
}
