#include "support/levelfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const kLevelPath = "Content/city1.troklevel";

// Removes the directory when the test process ends.
struct TemporaryDirectory
{
    std::string path;
    ~TemporaryDirectory()
    {
        if (!path.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
};
TemporaryDirectory g_directory;
}

std::string enterTemporaryDirectory()
{
    char name[] = "/tmp/morvellant-level-XXXXXX";
    if (mkdtemp(name) == nullptr || chdir(name) != 0 || mkdir("Content", 0755) != 0) {
        throw std::runtime_error("cannot make a temporary level directory");
    }
    g_directory.path = name;
    return name;
}

void writeLevel(const std::vector<std::string>& rows)
{
    std::string text = "!MorvellantMapFile\n";
    text += std::to_string(rows.empty() ? 0 : rows[0].size()) + " " + std::to_string(rows.size()) + "\n";
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    writeLevelText(text);
}

void writeLevelText(const std::string& text)
{
    std::ofstream file(kLevelPath, std::ios::trunc);
    file << text;
}

void removeLevel()
{
    std::remove(kLevelPath);
}
