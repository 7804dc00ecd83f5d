// Test support: temporary folders and checks of thrown class-library exceptions.
#pragma once

#include "platform/Exceptions.h"

#include <functional>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

class TempDir {
public:
    TempDir()
    {
        // mkdtemp picks a name no other process holds: tests run in parallel processes.
        std::string pattern = (std::filesystem::temp_directory_path() / "platform_base_XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::filesystem::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Root() const { return m_path; }

    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteAll(const std::string& path, const std::string& data)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << data;
    }

private:
    std::filesystem::path m_path;
};

// The exception of type E that `f` throws (its fields copied), or nothing when
// it throws none or another kind. The thrown object is deleted.
template <class E>
std::optional<E> Caught(const std::function<void()>& f)
{
    try {
        f();
    } catch (E* e) {
        E copy(*e);
        e->Delete();
        return copy;
    } catch (CException* e) {
        e->Delete();
    }
    return std::nullopt;
}
