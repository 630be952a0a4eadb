// The grower under hostile conditions: outputs that are special files or
// the same file twice, names at the system's limit, signals mid-growth, a
// full or read-only disk, a failing standard output and memory running out.
// Whatever happens, nothing is lost or left half-written and no failure
// exits 0.
#include "tests/cli_test_support.h"
#include "tests/private_fonts.h"
#include "grower/exit_status.h"
#include "grower/termination_cleanup.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using cli_test::ProcessResult;
using cli_test::Slurp;

int Lines(std::string const& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class HostileCli : public cli_test::ScratchFolderTest {
protected:
    HostileCli()
        : ScratchFolderTest("morva-hostile-")
    {
    }

    ProcessResult RunGrower(std::string const& args) { return Run(std::string("'") + GROWER75 + "' " + args); }

    // A refusal: one line naming the program, the given status, nothing on
    // stdout.
    void ExpectRefused(ProcessResult const& run, int status, std::string const& args)
    {
        EXPECT_EQ(run.status, status) << args << ": " << run.err;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(Lines(run.err), 1) << args << ": " << run.err;
        EXPECT_EQ(run.err.rfind("morva75-grower: ", 0), 0u) << run.err;
    }

    void WriteFile(std::string const& name, std::string const& contents) { std::ofstream(File(name)) << contents; }
};

TEST_F(HostileCli, TwoOutputsNamingOneFileAreBadInput)
{
    WriteFile("old.bin", "old");
    fs::create_directory(folder / "sub");
    fs::create_symlink(File("old.bin"), File("link.bin"));
    fs::create_hard_link(File("old.bin"), File("hard.bin"));
    std::string const image = " --view map --size 8x8 --image ";
    std::string const pairs[][2] = {
        { File("new.bin"), File("new.bin") },
        { File("new.bin"), File("sub/../new.bin") },
        { File("new.bin"), folder.string() + "/./new.bin" },
        { File("old.bin"), File("link.bin") },
        { File("old.bin"), File("hard.bin") },
        { "/dev/null", "/dev/null" },
    };
    for (auto const& pair : pairs) {
        std::string const args = "--passes 2 --dump '" + pair[0] + "'" + image + "'" + pair[1] + "'";
        ProcessResult const run = RunGrower(args);
        ExpectRefused(run, EXIT_BAD_INPUT, args);
        EXPECT_NE(run.err.find("both name"), std::string::npos) << run.err;
        EXPECT_EQ(Slurp(File("old.bin")), "old");
        EXPECT_FALSE(fs::exists(File("new.bin")));
        EXPECT_EQ(Entries(), 4u);
    }
}

TEST_F(HostileCli, SpecialFilesAreRefusedAndNeverReplaced)
{
    ASSERT_EQ(mkfifo(File("fifo").c_str(), 0600), 0);
    fs::create_symlink(File("fifo"), File("link-to-fifo"));
    fs::create_symlink(File("missing"), File("dangling"));
    fs::create_directory(File("folder"));
    int const listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::string const socketPath = File("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (std::string const name : { "fifo", "link-to-fifo", "dangling", "folder", "socket" }) {
        for (std::string const option : { "--dump", "--image" }) {
            std::string const args = "--passes 2 " + option + " '" + File(name) + "'"
                + (option == "--image" ? " --view map --size 4x4" : "");
            ExpectRefused(RunGrower(args), EXIT_BAD_INPUT, args);
        }
    }
    close(listener);
    struct stat status;
    ASSERT_EQ(lstat(File("fifo").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_TRUE(fs::is_symlink(File("link-to-fifo")));
    EXPECT_TRUE(fs::is_symlink(File("dangling")));
    EXPECT_EQ(Entries(), 5u);
}

TEST_F(HostileCli, CharacterDevicesAreWrittenInPlace)
{
    fs::create_symlink("/dev/null", File("null-link"));
    for (std::string const& device : { std::string("/dev/null"), File("null-link") }) {
        ProcessResult const run = RunGrower("--passes 2 --dump '" + device + "' --image /dev/zero --view map --size 4x4");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Lines(run.out), 1);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(File("null-link")));
    // Written in place, the device's own refusal is the run's failure.
    ProcessResult const full = RunGrower("--passes 2 --dump /dev/full");
    ExpectRefused(full, EXIT_SYSTEM_REFUSED, "--dump /dev/full");
    EXPECT_NE(full.err.find("'/dev/full': No space left on device"), std::string::npos) << full.err;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(HostileCli, ALinkToAFileKeepsBeingALink)
{
    WriteFile("real.bin", "old");
    fs::create_symlink("real.bin", File("link.bin"));
    ProcessResult const run = RunGrower("--passes 2 --dump '" + File("link.bin") + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(File("link.bin")));
    EXPECT_EQ(fs::file_size(File("real.bin")), 12u * 75 * 75);
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(HostileCli, EveryNameTheSystemTakesWorks)
{
    std::string const longest(255, 'n');
    std::string const image = longest.substr(0, 251) + ".png";
    ProcessResult const run = RunGrower("--passes 2 --dump '" + File(longest) + "' --image '" + File(image)
        + "' --view map --size 4x4");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fs::file_size(File(longest)), 12u * 75 * 75);
    EXPECT_TRUE(fs::exists(File(image)));
    EXPECT_EQ(Entries(), 2u);

    std::string const tooLong(256, 'n');
    ExpectRefused(RunGrower("--passes 2 --dump '" + File(tooLong) + "'"), EXIT_BAD_INPUT, "256 bytes");
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(HostileCli, AFailingStandardOutputFailsTheRun)
{
    // Run() sends stdout to a file; here it goes to /dev/full instead.
    ProcessResult const full = Run(std::string("('") + GROWER75 + "' --passes 2 --dump '" + File("grid.bin")
        + "' >/dev/full)");
    EXPECT_EQ(full.status, EXIT_SYSTEM_REFUSED);
    EXPECT_NE(full.err.find("standard output: No space left on device"), std::string::npos) << full.err;
    ProcessResult const help = Run(std::string("('") + GROWER75 + "' --help >/dev/full)");
    EXPECT_EQ(help.status, EXIT_SYSTEM_REFUSED);
    // A closed pipe: SIGPIPE (or EPIPE where it is ignored), never exit 0.
    ProcessResult const piped
        = Run(std::string("bash -c \"'") + GROWER75 + "' --passes 200 | head -c 0; exit \\${PIPESTATUS[0]}\"");
    EXPECT_NE(piped.status, 0);
}

// Starts the grower in the scratch folder, waits for its temporary file,
// sends `signal` and returns how the process ended.
int SignalMidGrowth(fs::path const& folder, int signal)
{
    pid_t const child = fork();
    if (child == 0) {
        rlimit const noCore { 0, 0 };
        setrlimit(RLIMIT_CORE, &noCore);
        int const null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        std::string const dump = (folder / "grid.bin").string();
        execl(GROWER200, GROWER200, "--passes", "2000000", "--dump", dump.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 0
        && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST_F(HostileCli, EveryCaughtSignalEndsTheRunAsItWouldAndLeavesNothing)
{
    int count = 0;
    int const* caught = CaughtTerminationSignals(count);
    std::vector<int> signals(caught, caught + count);
    signals.push_back(SIGRTMIN);
    signals.push_back(SIGRTMAX);
    for (int const signal : signals) {
        int const status = SignalMidGrowth(folder, signal);
        EXPECT_TRUE(WIFSIGNALED(status)) << strsignal(signal);
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), signal) << strsignal(signal);
        }
        EXPECT_EQ(Entries(), 0u) << strsignal(signal);
    }
}

// A tiny tmpfs of its own, where mounting is allowed (as root).
class SmallDisk : public HostileCli {
protected:
    void SetUp() override
    {
        HostileCli::SetUp();
        disk = folder / "disk";
        fs::create_directory(disk);
        if (mount("morva-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            umount(disk.c_str());
        HostileCli::TearDown();
    }

    fs::path disk;
    bool mounted = false;
};

TEST_F(SmallDisk, AFullDiskKeepsTheEarlierFileWhole)
{
    std::ofstream((disk / "grid.bin").string()) << "old";
    std::string const dump = (disk / "grid.bin").string();
    // 75 x 75 points are 67,500 bytes: more than the disk holds.
    ProcessResult const dumped = RunGrower("--passes 2 --dump '" + dump + "'");
    ExpectRefused(dumped, EXIT_SYSTEM_REFUSED, "full disk");
    EXPECT_NE(dumped.err.find("'" + dump + "': No space left on device"), std::string::npos) << dumped.err;
    // A picture compresses well: leave it too little room.
    std::ofstream((disk / "filler").string()) << std::string(60 * 1024, 'f');
    std::string const image = (disk / "map.png").string();
    ProcessResult const drawn = RunGrower("--passes 2 --image '" + image + "' --view map --size 400x400");
    ExpectRefused(drawn, EXIT_SYSTEM_REFUSED, "full disk");
    EXPECT_NE(drawn.err.find("No space left on device"), std::string::npos) << drawn.err;
    EXPECT_EQ(Slurp(dump), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 2);
}

TEST_F(SmallDisk, AReadOnlyDiskIsRefusedBeforeTheWork)
{
    std::ofstream((disk / "grid.bin").string()) << "old";
    ASSERT_EQ(mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    std::string const dump = (disk / "grid.bin").string();
    ProcessResult const run = RunGrower("--passes 2000000 --dump '" + dump + "'");
    ExpectRefused(run, EXIT_SYSTEM_REFUSED, "read-only");
    EXPECT_NE(run.err.find("Read-only file system"), std::string::npos) << run.err;
    EXPECT_EQ(Slurp(dump), "old");
}

// Memory running out: each run either succeeds with the very same outputs
// as without a limit, or fails with one line, EXIT_NO_MEMORY and no file.
class OutOfMemory : public HostileCli {
protected:
    struct Reference {
        std::string summary;
        std::vector<std::string> files;
    };

    // The grid and a picture in the given view.
    static std::vector<std::string> PictureOutputs(std::string const& view)
    {
        return { "--dump", "grid.bin", "--image", "view.png", "--view " + view + " --size 64x48" };
    }

    // A heightmap, the mesh and the metadata that lists them.
    static std::vector<std::string> WorldOutputs()
    {
        return { "--heightmap", "height.r16", "--mesh", "globe.glb", "--metadata", "run.json" };
    }

    // `outputs` alternates options and file names; a lone option string
    // without a following name is passed as it stands.
    Reference RunLimited(std::string const& limit, std::vector<std::string> const& outputs, ProcessResult& run)
    {
        std::string args = "--seeds 1,2 --passes 101";
        std::vector<std::string> names;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            if (outputs[i].rfind("--", 0) == 0 && outputs[i].find(' ') == std::string::npos && i + 1 < outputs.size()) {
                names.push_back(outputs[i + 1]);
                args += " " + outputs[i] + " '" + File(outputs[i + 1]) + "'";
                ++i;
            } else {
                args += " " + outputs[i];
            }
        }
        // Qt's note that it has no runtime folder would be a second line.
        fs::path const runtime = fs::temp_directory_path() / "morva-hostile-runtime";
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        run = Run("XDG_RUNTIME_DIR='" + runtime.string() + "'; export XDG_RUNTIME_DIR; " + limit + " '"
            + GROWER75_ALLOCATION_LIMIT + "' " + args);
        Reference written { run.out, {} };
        for (std::string const& name : names) {
            written.files.push_back(Slurp(File(name)));
            fs::remove(File(name));
        }
        return written;
    }

    void ExpectWholeOrNothing(std::string const& limit, std::vector<std::string> const& outputs,
        Reference const& reference, int& failures)
    {
        ProcessResult run;
        Reference const written = RunLimited(limit, outputs, run);
        // Fontconfig reports its own failures on the standard error stream,
        // in lines of its own that nothing of ours can hold back.
        std::string ours;
        for (std::size_t start = 0; start < run.err.size();) {
            std::size_t const end = std::min(run.err.find('\n', start), run.err.size() - 1) + 1;
            if (run.err.compare(start, 11, "Fontconfig ") != 0)
                ours += run.err.substr(start, end - start);
            start = end;
        }
        run.err = ours;
        // Below some limit the system cannot even load the program.
        if (run.status == 127 && run.err.find("error while loading shared libraries") != std::string::npos)
            return;
        if (run.status == 0) {
            EXPECT_EQ(written.summary, reference.summary) << limit;
            ASSERT_EQ(written.files.size(), reference.files.size());
            for (std::size_t i = 0; i < written.files.size(); ++i)
                EXPECT_TRUE(written.files[i] == reference.files[i]) << limit << ": output " << i << " differs";
        } else {
            ++failures;
            ExpectRefused(run, EXIT_NO_MEMORY, limit);
            EXPECT_NE(run.err.find("not enough memory"), std::string::npos) << run.err;
        }
        EXPECT_EQ(Entries(), 0u) << limit;
    }

    // Every allocation count from none to more than the run needs, in steps
    // that grow by half.
    void SweepAllocationCounts(std::vector<std::string> const& outputs)
    {
        ProcessResult full;
        Reference const reference = RunLimited("", outputs, full);
        ASSERT_EQ(full.status, 0) << full.err;
        int failures = 0;
        for (long long allowed = 0; allowed < 200000; allowed = allowed < 8 ? allowed + 1 : allowed * 3 / 2) {
            ExpectWholeOrNothing("MORVA_ALLOCATIONS_ALLOWED=" + std::to_string(allowed), outputs, reference, failures);
            if (HasFailure())
                return;
        }
        EXPECT_GT(failures, 5);
    }
};

TEST_F(OutOfMemory, EveryFailedAllocationIsAnErrorAndNeverAWrongPicture)
{
    for (std::string const view : { "map", "lower", "window" }) {
        SCOPED_TRACE(view);
        SweepAllocationCounts(PictureOutputs(view));
        if (HasFailure())
            return;
    }
}

// The metadata is built as a JSON document, whose destruction itself needs
// memory: a failure there must still end as out of memory.
TEST_F(OutOfMemory, EveryFailedAllocationInTheWorldFilesIsAnError)
{
    SweepAllocationCounts(WorldOutputs());
}

TEST_F(OutOfMemory, AnAddressSpaceLimitIsAnErrorAndNeverAWrongPicture)
{
#ifdef MORVA_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit allows";
#endif
    cli_test::PrivateFonts const fonts;
    for (std::string const view : { "map", "lower", "window" }) {
        SCOPED_TRACE(view);
        ProcessResult full;
        Reference const reference = RunLimited("export " + fonts.Variable() + ";", PictureOutputs(view), full);
        ASSERT_EQ(full.status, 0) << full.err;
        fonts.KeepCache();
        int failures = 0;
        // Every megabyte where the libraries start (Qt's static
        // initialisers, fontconfig, the platform plugin), then growing steps.
        for (int megabytes = 64; megabytes <= 2048; megabytes += megabytes < 128 ? 1 : megabytes / 4) {
            fonts.RestoreCache();
            std::string const limit
                = "export " + fonts.Variable() + "; ulimit -v " + std::to_string(megabytes * 1024) + "; timeout 60";
            ExpectWholeOrNothing(limit, PictureOutputs(view), reference, failures);
            if (HasFailure())
                return;
        }
        EXPECT_GT(failures, 0) << view;
    }
}

}
