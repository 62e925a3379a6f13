#pragma once
// The program's texts are UTF-8; Windows takes and gives UTF-16. Every text
// crosses between the two here, at the seam, and nowhere else.

#include <string>
#include <string_view>

// UTF-8 => UTF-16; a byte that is no UTF-8 becomes U+FFFD.
//   "a\xc3\xa9.jpg" => L"a\u00e9.jpg"
//   ""              => L""
std::wstring Widen(std::string_view utf8);

// UTF-16 => UTF-8; a lone surrogate becomes U+FFFD.
//   L"\u20ac.jpg" => "\xe2\x82\xac.jpg"
std::string Narrow(std::wstring_view utf16);
