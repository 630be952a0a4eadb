// Fontconfig of a test's own, for running programs whose text needs it with
// too little memory: fontconfig may then write a broken cache, which must be
// nobody else's.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace cli_test {

// A configuration that reads the system's fonts and keeps its cache in a
// folder of its own, removed again with this object. Runs can each start
// again from one kept cache, since a run that memory ran out under can leave
// a broken one behind.
class PrivateFonts {
public:
    PrivateFonts()
        : m_folder(std::filesystem::temp_directory_path() / ("morva-fonts-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_folder / "cache");
        std::ofstream((m_folder / "fonts.conf").string())
            << "<?xml version=\"1.0\"?>\n<fontconfig>\n"
               "  <dir>/usr/share/fonts</dir>\n  <dir>/usr/local/share/fonts</dir>\n"
               "  <cachedir>"
            << (m_folder / "cache").string() << "</cachedir>\n</fontconfig>\n";
        KeepCache();
    }

    PrivateFonts(PrivateFonts const&) = delete;
    PrivateFonts& operator=(PrivateFonts const&) = delete;

    ~PrivateFonts()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    // The variable that points fontconfig at this configuration, as
    // NAME='value' for a shell.
    std::string Variable() const { return "FONTCONFIG_FILE='" + (m_folder / "fonts.conf").string() + "'"; }

    // The cache as it is now becomes the one every later run starts from.
    void KeepCache() const
    {
        std::filesystem::remove_all(m_folder / "kept");
        std::filesystem::copy(m_folder / "cache", m_folder / "kept", std::filesystem::copy_options::recursive);
    }

    void RestoreCache() const
    {
        std::filesystem::remove_all(m_folder / "cache");
        std::filesystem::copy(m_folder / "kept", m_folder / "cache", std::filesystem::copy_options::recursive);
    }

private:
    std::filesystem::path m_folder;
};

}
