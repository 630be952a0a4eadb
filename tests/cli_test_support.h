// Running a program as a user would, from a scratch folder of the test's own
// that is emptied before and removed after each test.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace cli_test {

struct ProcessResult {
    int status; // the exit status, or -1 when the program did not exit
    std::string out;
    std::string err;
};

inline std::string Slurp(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

class ScratchFolderTest : public ::testing::Test {
protected:
    explicit ScratchFolderTest(std::string prefix)
        : m_prefix(std::move(prefix))
    {
    }

    void SetUp() override
    {
        // The process id keeps two runs of one test (two builds' suites at
        // once) out of each other's files.
        folder = std::filesystem::temp_directory_path()
            / (m_prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-"
                + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Runs `command` through the shell with its output captured; the capture
    // files are gone again before this returns.
    ProcessResult Run(std::string const& command)
    {
        auto const out = folder / "stdout.txt";
        auto const err = folder / "stderr.txt";
        std::string const redirected = command + " >'" + out.string() + "' 2>'" + err.string() + "'";
        int const raw = std::system(redirected.c_str());
        ProcessResult result { WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err) };
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return result;
    }

    // A path inside the scratch folder.
    std::string File(std::string const& name) const { return (folder / name).string(); }

    // How many entries the scratch folder holds.
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder;

private:
    std::string m_prefix;
};

} // namespace cli_test
