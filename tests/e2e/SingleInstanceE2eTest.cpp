// One tray per user and display, however many start at once, and requests other programs send.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(SingleInstanceE2eTest, OfFiveTraysStartedAtOnceOneStaysAndTheOthersShowItsLauncher) {
    E2eSession session;
    // Each start held back half a second before it binds a socket, as a loaded login can do;
    // the leak checker of sanitizer builds cannot work under strace.
    const std::string tray =
        "exec strace -f -o /dev/null -e trace=bind -e inject=bind:delay_enter=500000 " +
        session.environment() + "ASAN_OPTIONS=detect_leaks=0 " + shellQuote(VANTOR_BINARY) + " >>" +
        shellQuote((session.root() / "vantor.log").string()) + " 2>&1";
    for (int round = 0; round < 10 && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<pid_t> running;
        for (int i = 0; i < 5; ++i) {
            running.push_back(startShell(tray));
        }
        // The others hand their "show" to the one that stays, and end.
        E2eSession::waitUntil(
            [&] {
                std::erase_if(running, [&](pid_t pid) {
                    int status = 0;
                    bool ended = ::waitpid(pid, &status, WNOHANG) == pid;
                    EXPECT_TRUE(!ended || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
                    return ended;
                });
                return running.size() <= 1;
            },
            20s);
        EXPECT_EQ(running.size(), 1u) << session.vantorLog();
        EXPECT_EQ(session.runVantor("--show"), 0);
        EXPECT_TRUE(session.waitForLauncher(true));
        for (pid_t pid : running) {
            ::kill(-pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
}

// Writes `bytes` to the tray's socket as any local program could; its answer.
std::string askRaw(const fs::path& socketPath, const std::string& bytes) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    timeval limit{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
    sockaddr_un address{AF_UNIX, {}};
    socketPath.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    char answer[256] = {};
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::write(fd, bytes.data(), bytes.size()) > 0) {
        [[maybe_unused]] auto n = ::read(fd, answer, sizeof(answer) - 1);  // one short line
    }
    ::close(fd);
    return answer;
}

TEST(SingleInstanceE2eTest, ARequestIsOneJsonLineAndAnythingElseIsRefusedWhole) {
    E2eSession session;
    session.startVantor();
    ASSERT_TRUE(
        E2eSession::waitUntil([&] { return session.runVantor("--menu '每页数量/48 个'") == 0; }));
    // A newline or invalid UTF-8 stays inside the one entry it is part of.
    std::string output;
    for (const std::string entry : {"每页数量/24 个\nmenu 退出", "每页数量/\xff\xfe 个"}) {
        EXPECT_EQ(session.runVantor("--menu " + shellQuote(entry), &output, "", true), 1);
        EXPECT_EQ(output.rfind("vantor: no such menu entry \"每页数量/", 0), 0u) << output;
    }
    const fs::path socketPath =
        session.root() / "run" / ("vantor-" + VirtualDisplay::shared().name() + ".socket");
    using namespace std::string_literals;
    for (const std::string& raw :
         {"{\"request\":\"menu\",\"entry\":\"退出\0\"}\n"s,
          "{\"request\":\"menu\",\"entry\":\"退出\\u0000\"}\n"s, "[\"show\"]\n"s,
          "{\"request\":\"quit\"}\n"s, "{\"request\":\"menu\",\"entry\":\"退出\",\"then\":1}\n"s,
          "{\"request\":\"menu\",\"entry\":\"" + std::string(70000, 'x') + "\"}\n",
          std::string(70000, ' ')}) {
        EXPECT_EQ(askRaw(socketPath, raw).rfind("{\"done\":false,\"error\":\"", 0), 0u)
            << raw.substr(0, 60);
    }
    // Still running, nothing of the above carried out, and the next request taken.
    EXPECT_EQ(session.storedSettings()["VantorPageSize"], 48);
    EXPECT_EQ(session.runVantor("--menu '每页数量/63 个'"), 0);
}

}  // namespace
}  // namespace vantor::e2e
