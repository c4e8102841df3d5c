#pragma once
// Files and folders for the setup program's tests: a temporary folder that
// removes itself, whole-file reads and writes, and shell shortcuts read back.
#include <string>
#include <vector>

// A folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Removes the folder and everything in it, read-only files too.
void RemoveTree(const std::string& path);
// The names of the files and folders in folder.
std::vector<std::string> FilesIn(const std::string& folder);
bool Exists(const std::string& path);
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& contents);

// What a shell shortcut points at, read back through the shell.
struct Shortcut {
    std::string path;
    std::string workingDir;
};
// The shortcut saved in the .lnk file; false when it cannot be loaded.
bool ReadShortcut(const std::string& linkFile, Shortcut& shortcut);
