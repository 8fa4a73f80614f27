#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/GraphicalSession.h"
#include "app/MemoryReturn.h"
#include "app/SingleInstance.h"
#include "app/StatusMenu.h"
#include "discovery/ApplicationDiscovery.h"
#include "discovery/ApplicationListing.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>

// The session bus library Qt loads may keep a buffer it never frees, and
// fontconfig's caches show as leaks when the program ends without Qt's
// cleanup (see the end of main); the leak checker of sanitizer builds is
// told so, and still reports ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libfontconfig.so\n";
}
#endif

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop, so the program stops as if quit
// from the menu.
void quitOnTerminationSignals(QApplication& app) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    // A client of the instance socket that hangs up before its answer must not
    // end the program: writes to it fail with EPIPE instead.
    ::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// The tray program and the commands that talk to it need a desktop session;
// say so plainly instead of letting Qt abort.
bool hasGraphicalSession() {
    auto missing = vantor::missingGraphicalSession();
    if (missing) {
        std::cerr << "vantor: no graphical session: " << *missing
                  << " (start vantor from a desktop session)\n";
        return false;
    }
    return true;
}

// 0 when done, else 1 and the reason on stderr.
int printFailure(const vantor::InstanceAnswer& answer) {
    if (answer.done) {
        return 0;
    }
    std::cerr << "vantor: " << answer.error << '\n';
    return 1;
}

// `--show`, `--toggle` and `--menu`: the running tray carries the request out.
int askRunningTray(int argc, char** argv, const vantor::InstanceRequest& request,
                   const std::string& whenNoneRuns) {
    if (!hasGraphicalSession()) {
        return 1;
    }
    QCoreApplication core(argc, argv);
    auto answer = vantor::SingleInstance::send(request);
    return printFailure(answer.value_or(vantor::InstanceAnswer{false, whenNoneRuns}));
}

int listApplications() {
    auto found = vantor::ApplicationDiscovery::discoverApplications();
    for (const auto& application : found.applications) {
        std::cout << vantor::applicationListingLine(application) << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using Action = vantor::CommandLine::Action;
    auto command = vantor::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.action) {
        case Action::help:
            std::cout << vantor::usageText();
            return 0;
        case Action::version:
            std::cout << "vantor " << VANTOR_VERSION << '\n';
            return 0;
        case Action::invalid:
            std::cerr << "vantor: " << command.error << '\n' << vantor::usageText();
            return 2;
        case Action::listApplications:
            return listApplications();
        case Action::showLauncher:
            return askRunningTray(argc, argv, {vantor::InstanceRequest::Kind::show, {}},
                                  "no running Vantor to show");
        case Action::toggleLauncher:
            return askRunningTray(argc, argv, {vantor::InstanceRequest::Kind::toggle, {}},
                                  "no running Vantor to open or close; start it with "
                                  "\"vantor\" first");
        case Action::chooseMenuEntry:
            return askRunningTray(
                argc, argv, {vantor::InstanceRequest::Kind::menu, command.menuEntry},
                "no running Vantor took the menu entry \"" + command.menuEntry + "\"");
        case Action::runTray:
            break;
    }

    if (!hasGraphicalSession()) {
        return 1;
    }
    // Asked for by an argument rather than the environment, so applications
    // started from the launcher do not inherit the choice. Without Qt's Wayland
    // plugin (or when it cannot connect) Qt takes the next one: XWayland.
    std::vector<char*> qtArguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char waylandPlatform[] = "wayland;xcb";
    if (vantor::prefersWaylandPlatform()) {
        qtArguments.insert(qtArguments.begin() + 1, {platformOption, waylandPlatform});
    }
    int qtArgumentCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);
    vantor::returnLargeBuffersWhenFreed();
    QApplication app(qtArgumentCount, qtArguments.data());
    QApplication::setApplicationName(QStringLiteral("vantor"));
    QApplication::setQuitOnLastWindowClosed(false);

    vantor::SingleInstance instance;
    vantor::AppDelegate* delegatePointer = nullptr;
    auto started = instance.start(
        [&delegatePointer](const vantor::InstanceRequest& request,
                           vantor::SingleInstance::Reply reply) {
            if (delegatePointer == nullptr) {
                reply({false, "Vantor is starting or quitting"});
                return;
            }
            delegatePointer->answerRequest(request, std::move(reply));
        },
        {vantor::InstanceRequest::Kind::show, {}});
    if (!started.listening) {
        // Vantor already runs for this user and display: its launcher shows instead.
        return printFailure(started.handedOver);
    }

    quitOnTerminationSignals(app);
    vantor::AppDelegate delegate;
    delegatePointer = &delegate;
    delegate.applicationDidFinishLaunching();
    int status = app.exec();
    delegate.applicationWillTerminate();
    delegatePointer = nullptr;
    // The settings are written: end here rather than in the destructors, which
    // would wait for a scan or icon load still running (a hung mount, a pipe
    // named as an icon) and so could keep the program from ever quitting.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();  // what the sanitizer's exit handler would have checked
#endif
    std::_Exit(status);
}
