// A fresh folder under the system temporary folder for one test, removed with
// everything in it when the test ends.
#pragma once

#include "platform/base/CString.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    // `prefix` starts the folder's name, so that a left-over folder tells
    // which tests made it.
    explicit TempFolder(const char* prefix)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    CString File(const char* name) const { return CString((m_path + "/" + name).c_str()); }
    const std::string& Path() const { return m_path; }
    // The names of the entries in the folder, in the order the system lists them.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::string m_path;
};

}
