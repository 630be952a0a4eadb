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

// A file claimed under its name as the grower resolves it.
class Claimed : public AtomicFile {
public:
    explicit Claimed(std::string const& name)
        : AtomicFile(name, ResolveOutputPath(name))
    {
    }
};

std::string RefusalOf(std::string const& name)
{
    try {
        Claimed(name).Open();
    } catch (Failure const& failure) {
        return failure.Message();
    }
    return "";
}

TEST_F(AtomicFileTest, CommitReplacesTheDestinationWhole)
{
    auto const target = (folder / "out.bin").string();
    std::ofstream(target) << "old";
    {
        Claimed file(target);
        ASSERT_NO_THROW(file.Open());
        std::fputs("new contents", file.Stream());
        {
            // Closed before the commit: Windows never replaces a file that
            // another handle holds open.
            std::ifstream during(target);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(during), {}), "old");
        }
        ASSERT_NO_THROW(file.Commit());
    }
    std::ifstream after(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), "new contents");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AbandonedFileLeavesNothingBehind)
{
    auto const target = (folder / "out.bin").string();
    {
        Claimed file(target);
        ASSERT_NO_THROW(file.Open());
        std::fputs("partial", file.Stream());
    }
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(AtomicFileTest, InterruptCleanupRemovesOpenTemporaries)
{
    Claimed file((folder / "out.bin").string());
    ASSERT_NO_THROW(file.Open());
    std::fputs("partial", file.Stream());
    EXPECT_EQ(EntryCount(), 1u);
    RemoveAbandonedTemporaryFiles();
    // POSIX removes the file at once; Windows marks it for deletion and it
    // goes with its last handle, which the commit closes. Either way there
    // is nothing left to rename into place.
    EXPECT_THROW(file.Commit(), Failure);
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(AtomicFileTest, UnwritablePlacesAreRefusedBeforeAnyFileIsMade)
{
    EXPECT_NE(RefusalOf((folder / "no" / "such" / "out.bin").string()).find("out.bin"), std::string::npos);
    EXPECT_NE(RefusalOf(folder.string()).find("directory"), std::string::npos);
    EXPECT_EQ(EntryCount(), 0u);
}

}
