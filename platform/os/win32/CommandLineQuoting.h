#pragma once
// One argument of a Windows command line, quoted so that the C run-time
// library of the started program (CommandLineToArgvW rules) reads it back
// exactly: in double quotes, a quote inside escaped with "\", and the
// backslashes before a quote or the closing quote doubled.
//   L"C:\pics\KavoViewer.html" => L"\"C:\pics\KavoViewer.html\""
//   L"a b"                     => L"\"a b\""
//   L"C:\dir\"                 => L"\"C:\dir\\\""
//   L"say \"hi\""              => L"\"say \\\"hi\\\"\""
//   L""                        => L"\"\""

#include <string>

std::wstring QuotedArgument(const std::wstring& argument);
