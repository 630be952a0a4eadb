// Running the Windows grower as a child process from a test under Wine: in
// a folder of its own, with its standard output and error kept in a file
// beside it.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace grower_process {

// The folder of the running test program, where the growers are built too.
inline std::string ProgramFolder()
{
    char path[MAX_PATH * 4];
    DWORD const length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

inline std::string ReadWholeFile(std::string const& path)
{
    HANDLE const file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

// A new folder under the temporary folder, `Outputs()` for the grower's
// files and what the grower printed beside it; removed with everything in
// it.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char temporary[MAX_PATH];
        GetTempPathA(sizeof temporary, temporary);
        root = std::string(temporary) + "morva-test-" + std::to_string(GetCurrentProcessId()) + "-"
            + std::to_string(GetTickCount64()) + "-" + std::to_string(++count);
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA(Outputs().c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(root); }

    ScratchFolder(ScratchFolder const&) = delete;
    ScratchFolder& operator=(ScratchFolder const&) = delete;

    std::string Outputs() const { return root + "\\out"; }
    std::string OutputFile() const { return root + "\\printed.txt"; }

    // The names in Outputs(), hidden ones included.
    std::vector<std::string> Entries() const { return Names(Outputs()); }

private:
    static std::vector<std::string> Names(std::string const& folder)
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE const search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string const name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    static void RemoveTree(std::string const& folder)
    {
        for (std::string const& name : Names(folder)) {
            std::string const path = folder + "\\" + name;
            DWORD const attributes = GetFileAttributesA(path.c_str());
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }

    static inline unsigned count = 0;
    std::string root;
};

// A grower started in `scratch.Outputs()` with `arguments`, its standard
// output and error going to scratch.OutputFile().
class Child {
public:
    Child(std::string const& program, std::string const& arguments, ScratchFolder const& scratch, DWORD flags = 0)
    {
        SECURITY_ATTRIBUTES inheritable { sizeof inheritable, nullptr, TRUE };
        outputFile = CreateFileA(scratch.OutputFile().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOA startup {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = outputFile;
        startup.hStdError = outputFile;
        std::string commandLine = "\"" + program + "\" " + arguments;
        started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
            scratch.Outputs().c_str(), &startup, &process);
    }
    ~Child()
    {
        if (started) {
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        if (outputFile != INVALID_HANDLE_VALUE)
            CloseHandle(outputFile);
    }

    Child(Child const&) = delete;
    Child& operator=(Child const&) = delete;

    bool Started() const { return started; }
    DWORD Id() const { return process.dwProcessId; }
    bool Running() const { return started && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }

    // The exit code, or STILL_ACTIVE when the child did not end in time.
    DWORD Wait(DWORD milliseconds)
    {
        DWORD code = STILL_ACTIVE;
        if (started && WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

private:
    HANDLE outputFile = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process {};
    bool started = false;
};

// Sets an environment variable for the children started while it lives.
class ScopedVariable {
public:
    ScopedVariable(char const* name, std::string const& value)
        : name(name)
    {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name, nullptr); }

    ScopedVariable(ScopedVariable const&) = delete;
    ScopedVariable& operator=(ScopedVariable const&) = delete;

private:
    char const* name;
};

}
