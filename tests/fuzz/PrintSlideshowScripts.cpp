// Prints slideshow scripts for check-slideshow-scripts.mjs, which reads
// them with node's own parser and runs their DisplayIt, all in one node
// process. One JSON line per script:
//   {"source": "...", "script": "...", "names": [[1, "trip001_x.jpg"], ...]}
// where each name is the one the pass gave that picture number, which the
// address DisplayIt gives must lead the browser to. Bytes from 0x80 up stand
// as \u0080-\u00FF, so the reader gets each byte as one character.
//
//   print_slideshow_scripts [--generate N] [FILE | DIRECTORY]...
// FILEs (and the files in each DIRECTORY) are fuzz inputs as SlideshowCase.h
// reads them; --generate adds N cases built from awkward pieces of text
// with a fixed seed, so every run prints the same ones.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/fuzz/SlideshowCase.h"

namespace {

std::string JsonText(const std::string& bytes) {
  std::string json = "\"";
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

void Print(const std::string& source, const std::string& input) {
  const SlideshowCase slideshow =
      SlideshowCaseFrom(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  std::string line = "{\"source\": " + JsonText(source) + ", \"script\": " + JsonText(ScriptOf(slideshow)) +
                     ", \"names\": [";
  std::vector<long> numbers = {1, 9, 10, 99, 100, 12345};
  if (slideshow.renamedCount > 0) numbers.push_back(slideshow.renamedCount);
  for (size_t i = 0; i < numbers.size(); ++i) {
    line += (i ? ", [" : "[") + std::to_string(numbers[i]) + ", " + JsonText(PictureName(slideshow, numbers[i])) +
            "]";
  }
  line += "]}\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Pieces that have broken script literals, addresses or HTML somewhere.
const std::vector<std::string> kPieces = {
    "a",      "Z",       "0",        "7",     " ",      "/",         "\\",      "\"",     "'",          "`",
    "<",      ">",       "&",        "%",     "%25",    "%2F",       "#",       "?",      ":",          ";",
    "\t",     "\n",      "\r",       "\x01",  "\x7F",   "\xC3\xA9",  "\xE2\x80\xA8",      "\xFF",       "${",
    "</script>", "</SCRIPT", "<script", "<!--", "-->",  "/*",        "*/",      "//",     "\\x3C",      "\\u0022",
    "+",      "..",      "./",       "C:",    "file:",  "http://x",  "%s",      "%n",     "\\\"",       ")"};
const std::vector<std::string> kDigits = {"0", "1", "3", "5", "8", "-2", "", "00", " 7", "5x", "303", "304", "x"};

std::string RandomText(std::mt19937& random, int maxPieces) {
  std::string text;
  const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
  for (int i = 0; i < count; ++i) text += kPieces[random() % kPieces.size()];
  return text;
}

std::string GeneratedInput(std::mt19937& random) {
  std::string input = RandomText(random, 5);
  input += '\0';
  input += RandomText(random, 4);
  input += '\0';
  input += random() % 4 == 0 ? RandomText(random, 2) : (random() % 2 ? "jpg" : "GIF");
  input += '\0';
  input += kDigits[random() % kDigits.size()];
  input += '\0';
  input += std::to_string(random() % 20000);
  input += '\0';
  input += std::to_string(random() % 10);
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  long generated = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--generate" && i + 1 < argc) {
      generated = std::atol(argv[++i]);
    } else if (std::filesystem::is_directory(argument)) {
      for (const auto& entry : std::filesystem::directory_iterator(argument)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else if (std::filesystem::is_regular_file(argument)) {
      files.push_back(argument);
    } else if (std::filesystem::exists(argument) || argument.starts_with("--")) {
      std::fprintf(stderr, "usage: %s [--generate N] [FILE | DIRECTORY]...\n", argv[0]);
      return 2;
    }
    // A directory that does not exist yet (a fuzz run's own corpus before
    // the first run) holds no inputs.
  }
  for (const auto& file : files) Print(file.string(), ReadFile(file));
  std::mt19937 random(20240607);
  for (long i = 0; i < generated; ++i) Print("generated #" + std::to_string(i + 1), GeneratedInput(random));
  return 0;
}
