#include "dialogs/ColorSetFile.h"

#include <cstdlib>
#include <fstream>
#include <string>

BOOL ReadColorSetFile(const CString& path, std::vector<COLORREF>& colors)
{
    colors.clear();
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in)
        return FALSE;
    std::string line;
    while (std::getline(in, line)) {
        // The colour as a 32-bit signed number: the files hold what "%d" made of it.
        colors.push_back((COLORREF)std::atoi(line.c_str()));
    }
    return !in.bad();
}

BOOL WriteColorSetFile(const CString& path, const std::vector<COLORREF>& colors)
{
    std::ofstream out(path.GetString(), std::ios::binary | std::ios::trunc);
    if (!out)
        return FALSE;
    for (COLORREF color : colors)
        out << (int)color << "\r\n";
    out.flush();
    return out.good();
}
