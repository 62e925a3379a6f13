#pragma once
// The program's version record: its name and version, and the entries a
// version resource of the program file carries.

struct VersionEntry {
  const char* key;
  const char* value;
};

inline constexpr char kProgramName[] = "Tarvine";
inline constexpr char kProgramVersion[] = "1.0.0.1";

inline constexpr VersionEntry kVersionRecord[] = {
    {"CompanyName", ""},
    {"FileDescription", "Tarvine MFC Application"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Tarvine"},
    {"LegalCopyright", "Copyright (C) 2026 the Tarvine developers"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Tarvine.EXE"},
    {"ProductName", "Tarvine Application"},
    {"ProductVersion", "1, 0, 0, 1"},
};
