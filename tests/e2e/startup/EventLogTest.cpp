// The event log: messages copied to the system log under the block's event
// source name. A datagram socket of the test stands in for the system log
// socket: the program runs in a private mount namespace in which that socket
// is mounted over /dev/log.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

class EventLog : public testing::Test {
protected:
    void SetUp() override {
        if (runProgram({"/usr/bin/unshare", "-m", "/bin/true"}, {}).status != 0) {
            GTEST_SKIP() << "no private mount namespace available (unshare -m needs root)";
        }
        socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(socket_, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (layout.root() / "log.sock").string();
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::strcpy(address.sun_path, path.c_str());
        ASSERT_EQ(bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    void TearDown() override {
        if (socket_ >= 0) close(socket_);
    }

    // Runs the program with the test's socket as the system log.
    Result runLogged() const {
        return layout.runCommand({"/usr/bin/unshare", "-m", "/bin/sh", "-c",
                                  "mount -t tmpfs none /dev && touch /dev/log && "
                                  "mount --bind \"$0\" /dev/log && exec \"$1\"",
                                  (layout.root() / "log.sock").string(), layout.exe().string()});
    }

    // The datagrams received (the program has ended: all are queued).
    std::vector<std::string> received() const {
        std::vector<std::string> messages;
        pollfd p{socket_, POLLIN, 0};
        while (poll(&p, 1, 0) > 0) {
            char buffer[4096];
            const ssize_t n = recv(socket_, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            messages.emplace_back(buffer, static_cast<std::size_t>(n));
        }
        return messages;
    }

    Layout layout{HANGMAN_EXE, false};
    int socket_ = -1;
};

TEST_F(EventLog, FatalMessageIsLoggedAsAnErrorUnderTheEventSource) {
    layout.cpb({"add", "event-source", "HangmanTest", "--at", "0"});
    const Result r = runLogged();
    const std::string message = unableToLoad((layout.root() / "rt/kovrt/ZKRN6407.so").string(), layout.exe());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message);
    const auto logged = received();
    ASSERT_EQ(logged.size(), 1u);
    // <11>: facility user (8) + severity error (3).
    EXPECT_EQ(logged[0].rfind("<11>", 0), 0u) << logged[0];
    EXPECT_NE(logged[0].find(" HangmanTest["), std::string::npos) << logged[0];
    EXPECT_NE(logged[0].find("]: " + message.substr(0, message.size() - 1)), std::string::npos) << logged[0];
}

TEST_F(EventLog, EventSourceIsTakenWhereverItStandsInTheBlock) {
    layout.cpb({"remove", "dll-map"});
    layout.cpb({"add", "event-source", "LateSource"});
    const Result r = runLogged();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion));
    const auto logged = received();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find(" LateSource["), std::string::npos) << logged[0];
    EXPECT_NE(logged[0].find("Fatal error: Tarnwick KOV 6.40 installation cannot be found.\n\nHOW TO FIX:"),
              std::string::npos)
        << logged[0];
}

TEST_F(EventLog, NothingIsLoggedWithoutEventSource) {
    const Result r = runLogged();
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unable to load"), std::string::npos);
    EXPECT_TRUE(received().empty());
}

TEST_F(EventLog, FailuresBeforeTheLookupAreNotLogged) {
    layout.cpb({"add", "event-source", "HangmanTest", "--at", "0"});
    layout.cpb({"set-word", "1", "3"});
    const Result r = runLogged();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::InvalidBlock));
    EXPECT_TRUE(received().empty());
}

TEST_F(EventLog, SuccessLogsNothing) {
    copyFile(TEST_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
    layout.cpb({"add", "event-source", "HangmanTest", "--at", "0"});
    EXPECT_EQ(runLogged().status, 0);
    EXPECT_TRUE(received().empty());
}

}  // namespace
}  // namespace e2e
