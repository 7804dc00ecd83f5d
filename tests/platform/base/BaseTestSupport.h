// Test support: temporary folders and checks of thrown class-library exceptions.
#pragma once

#include "platform/base/Exceptions.h"
#include "tests/support/TempFolder.h"

#include <functional>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

// A folder of the test's own (see testsupport::TempFolder), with the path
// forms and whole-file reads and writes the tests here use.
class TempDir {
public:
    std::string Path(const std::string& name) const { return (Root() / name).string(); }
    std::filesystem::path Root() const { return m_folder.Path(); }

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
    testsupport::TempFolder m_folder{"platform_base_"};
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
