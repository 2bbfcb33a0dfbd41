#pragma once

#include <string>

// A path of the build as Windows sees it; a build on Linux names it by its path on drive Z:.
inline std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}
