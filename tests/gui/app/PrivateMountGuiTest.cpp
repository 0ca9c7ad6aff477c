// Exports that fail on real file systems: a disk that fills up, a file that
// cannot be replaced. They need mounts of their own, so CTest runs them as
// root in a private mount namespace (unshare) and says so through
// HANGMAN_TEST_PRIVATE_MOUNTS; anywhere else they are skipped.

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "AppTestSupport.h"

using apptest::driver;
using Words = std::vector<rt::String>;

namespace {

class PrivateMountTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (std::getenv("HANGMAN_TEST_PRIVATE_MOUNTS") == nullptr) GTEST_SKIP() << "needs a private mount namespace";
        std::string many;
        for (int i = 0; i < 3000; ++i) many += "word" + std::to_string(i) + "\n";
        writeFile("many.txt", many);
        importFrom("many.txt");
    }
    void TearDown() override {
        for (auto it = mounts.rbegin(); it != mounts.rend(); ++it) umount2(it->c_str(), MNT_DETACH);
        AppTest::TearDown();
    }
    void mountOrFail(const char* source, const std::string& target, const char* type, unsigned long flags,
                     const char* options) {
        ASSERT_EQ(mount(source, target.c_str(), type, flags, options), 0) << std::strerror(errno);
        mounts.push_back(target);
    }
    rt::String exportMessage(const std::string& name) {
        const Words seen = messagesOf([&] { exportTo(name); });
        return seen.size() == 1 ? seen[0] : u"(" + rt::decimalText(static_cast<int>(seen.size())) + u" messages)";
    }

    std::vector<std::string> mounts;
};

TEST_F(PrivateMountTest, ExportOntoAFullDiskNamesTheReasonAndKeepsTheOldFile) {
    std::filesystem::create_directory(path("disk"));
    mountOrFail("tmpfs", path("disk"), "tmpfs", 0, "size=16k");
    writeFile("disk/list.txt", "previous\n");
    const rt::String message = exportMessage("disk/list.txt");
    EXPECT_TRUE(message.starts_with(u"Error writing output file " + rt::fromUtf8(path("disk/list.txt")) +
                                    u" (No space left on device)"))
        << rt::toUtf8(message);
    EXPECT_EQ(readFile("disk/list.txt"), "previous\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("disk")), {}), 1);
}

TEST_F(PrivateMountTest, ExportOntoAFileThatCannotBeReplacedNamesTheReason) {
    writeFile("list.txt", "previous\n");
    writeFile("pinned.txt", "pinned\n");
    // A mount point cannot be renamed over.
    mountOrFail(path("pinned.txt").c_str(), path("list.txt"), nullptr, MS_BIND, nullptr);
    const rt::String message = exportMessage("list.txt");
    EXPECT_TRUE(message.starts_with(u"Error writing output file " + rt::fromUtf8(path("list.txt")) +
                                    u" (Device or resource busy)"))
        << rt::toUtf8(message);
    EXPECT_EQ(readFile("list.txt"), "pinned\n");
}

// Neither a new file nor the replacement of an old one can be made there:
// the message says why, and the old file stays.
TEST_F(PrivateMountTest, ExportIntoAFolderThatRefusesWritingNamesTheRealReason) {
    std::filesystem::create_directory(path("shelf"));
    writeFile("shelf/list.txt", "previous\n");
    mountOrFail(path("shelf").c_str(), path("shelf"), nullptr, MS_BIND, nullptr);
    mountOrFail(nullptr, path("shelf"), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr);
    for (const std::string name : {"shelf/list.txt", "shelf/new.txt"}) {
        const rt::String message = exportMessage(name);
        EXPECT_EQ(message, u"Error opening output file " + rt::fromUtf8(path(name)) + u" (Read-only file system)")
            << rt::toUtf8(message);
    }
    EXPECT_EQ(readFile("shelf/list.txt"), "previous\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("shelf")), {}), 1);
}

}  // namespace

