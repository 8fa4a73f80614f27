#include <cstring>
#include <iostream>

// Until the tray program exists, vantor only says what it will be.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "vantor " << VANTOR_VERSION << '\n';
        return 0;
    }
    std::cout << "Usage: vantor [--help] [--version]\n"
                 "Vantor is a full-screen application launcher that opens from a screen corner.\n"
                 "The tray program is not built yet; this build holds the launcher's model.\n";
    return 0;
}
