#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

namespace qv::test {

// A temporary folder standing in for "/" (or any root) whose files are written by their path below it.
class FakeTree {
public:
    std::filesystem::path path() const { return m_dir.path().toStdString(); }

    FakeTree& write(const std::string& relative, const std::string& content)
    {
        writeFile(path() / relative, content);
        return *this;
    }

    // A symbolic link at `relative` whose target is `target` as written (relative, as sysfs's are).
    FakeTree& link(const std::string& relative, const std::string& target)
    {
        const std::filesystem::path file = path() / relative;
        std::filesystem::create_directories(file.parent_path());
        std::filesystem::create_symlink(target, file);
        return *this;
    }
    // Writes a file at any path, making its folders.
    static void writeFile(const std::filesystem::path& file, const std::string& content)
    {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace qv::test
