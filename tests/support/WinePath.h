#pragma once
// Paths handed over from the Linux side (CTest, the scripts) are Unix paths;
// under Wine the whole Unix tree is drive Z:.
#include <string>

inline std::string ToWindowsPath(std::string path)
{
    if (path.empty() || path[0] != '/')
        return path;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return "Z:" + path;
}
