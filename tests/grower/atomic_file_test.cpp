#include "grower/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path()
            / ("morva-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

TEST_F(AtomicFileTest, CommitReplacesTheDestinationWhole)
{
    auto const target = (folder / "out.bin").string();
    std::ofstream(target) << "old";
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open());
        std::fputs("new contents", file.Stream());
        {
            // Closed before the commit: Windows never replaces a file that
            // another handle holds open.
            std::ifstream during(target);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(during), {}), "old");
        }
        ASSERT_TRUE(file.Commit());
    }
    std::ifstream after(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), "new contents");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AbandonedFileLeavesNothingBehind)
{
    auto const target = (folder / "out.bin").string();
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open());
        std::fputs("partial", file.Stream());
    }
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(AtomicFileTest, InterruptCleanupRemovesOpenTemporaries)
{
    AtomicFile file((folder / "out.bin").string());
    ASSERT_TRUE(file.Open());
    std::fputs("partial", file.Stream());
    EXPECT_EQ(EntryCount(), 1u);
    RemoveAbandonedTemporaryFiles();
    // POSIX removes the file at once; Windows marks it for deletion and it
    // goes with its last handle, which the commit closes. Either way there
    // is nothing left to rename into place.
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(AtomicFileTest, UnwritablePlacesFailAtOpen)
{
    AtomicFile missingFolder((folder / "no" / "such" / "out.bin").string());
    EXPECT_FALSE(missingFolder.Open());
    EXPECT_NE(missingFolder.Error().find("out.bin"), std::string::npos);

    AtomicFile directory(folder.string());
    EXPECT_FALSE(directory.Open());
    EXPECT_NE(directory.Error().find("directory"), std::string::npos);
    EXPECT_EQ(EntryCount(), 0u);
}

}
