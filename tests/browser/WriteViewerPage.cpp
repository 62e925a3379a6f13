// Writes KavoViewer.html with the project's own writer, for the browser tests:
//   write_viewer_page DIR DIGITS PREFIX SUFFIX EXT COUNT SECONDS
// DIR ends in "/" (or is empty for the current directory). Exit status 0
// when written; 1 with the writer's message on stderr; 2 on wrong use.

#include <cstdio>
#include <cstdlib>

#include "tests/support/HeadlessDialogWindow.h"
#include "viewer/ViewerPages.h"

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr, "usage: %s DIR DIGITS PREFIX SUFFIX EXT COUNT SECONDS\n", argv[0]);
    return 2;
  }
  PageFields fields;
  fields.digitsText = argv[2];
  fields.prefixText = argv[3];
  fields.suffixText = argv[4];
  fields.secondsText = argv[7];
  const PageOptions options{fields, static_cast<int32_t>(std::atol(argv[6])), argv[5]};

  HeadlessDialogWindow window;
  if (WriteSlideshowPage(argv[1], options, window)) return 0;
  for (const auto& message : window.Messages()) std::fprintf(stderr, "%s\n", message.text.c_str());
  return 1;
}
