// A program that changes the settings as fast as it can, for a test that kills
// it at random moments. Usage: settings_writer_child <file> <seed> <count>.
// After each change it writes one byte to stdout, so the test knows how far it
// got; every fifth change it waits for the disk, as the end of a drag does.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/FileDefaultsStore.h"
#include "support/SettingsChangeScript.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    vantor::FileDefaultsStore store(argv[1]);
    auto script = vantor::testing::settingsChangeScript(
        static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), std::atoi(argv[3]));
    for (std::size_t step = 0; step < script.size(); ++step) {
        vantor::testing::applySettingsChange(store, script[step]);
        if (step % 5 == 4) {
            store.flush();
        }
        char progress = 'c';
        if (::write(STDOUT_FILENO, &progress, 1) != 1) {
            return 1;
        }
    }
    return store.flush() ? 0 : 1;
}
