#pragma once

// Shared by the Windows files only: the core's names are UTF-8, the system's wide.
#include <string>
#include <windows.h>

inline std::wstring wide(const std::string &utf8)
{
    std::wstring text(utf8.size(), L'\0');
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(),
                                        int(text.size()));
    text.resize(n > 0 ? size_t(n) : 0);
    return text;
}

inline std::string utf8(const std::wstring &wide)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string text(n > 0 ? size_t(n) : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), n, nullptr,
                          nullptr);
    return text;
}
