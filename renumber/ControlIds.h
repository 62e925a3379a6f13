#pragma once
// The main dialog's controls that the program's commands write to.

constexpr int kPathField = 1000;   // directory and name of one file to renumber
constexpr int kStatusLine = 1012;  // "Ready", "Working...", "Done." or "Error."
constexpr int kCountLine = 1013;   // files renamed so far
