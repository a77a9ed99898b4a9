#pragma once
// Conversion between the product's code page 932 text and the window system's UTF-16.
#include <string>

namespace sm::platform::win32 {

std::wstring Wide(const std::string& cp932);
std::string Narrow(const std::wstring& utf16);  // characters without a code page 932 form: '?'

}  // namespace sm::platform::win32
