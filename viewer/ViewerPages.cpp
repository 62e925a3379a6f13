// The two documents: one layout and one script; only the folder template can
// carry the folder's file list control beside the picture.

#include "viewer/ViewerPages.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "fsystem/PathHelpers.h"
#include "platform/os/ErrorText.h"
#include "platform/os/FileServices.h"
#include "platform/os/MemoryStream.h"

namespace {

// Writes the document `fileName` into `directory`; the file list pieces only
// when `withFileList`. The document is put together in memory and stored
// whole in one step, beside and then in place of any old one, so neither a
// planted link nor a full disk can leave anything but the old document or
// the new. 0 after `failureText` in a message box when it cannot be stored.
int WriteViewerDocument(const char* directory, const char* fileName, bool withFileList, const char* failureText,
                        const PageOptions& options, DialogWindow& window) {
  MemoryStream document;
  FILE* stream = document.Stream();
  if (!stream) {
    window.MessageBox(failureText, "Error", kMessageStop);
    return 0;
  }

  std::fprintf(stream, "<html>\n<style>\n");
  std::fprintf(stream, "body\t\t{font: 8pt/10pt verdana; margin: 0}\n");
  if (withFileList) {
    std::fprintf(stream, "#FileList\t{position: absolute; right: 10%%; width: 14%%; height: 100%%}\n");
  }
  std::fprintf(stream, "</style>\n<head>\n");

  WriteSlideshowScript(stream, options);

  if (withFileList) {
    // Shows the file picked in the list; the buttons go on from their own picture.
    std::fprintf(stream,
                 "<script language=\"JavaScript\" for=\"FileList\" event=\"SelectionChanged\">\nvar fldr = "
                 "FileList.Folder;\n");
    std::fprintf(stream, "var items;\nvar name;\nvar data;\n\n");
    std::fprintf(stream, "data = FileList.SelectedItems().Count;\n\nif (data == 0)\n{\nreturn;\n}\n\n");
    std::fprintf(stream,
                 "items = FileList.SelectedItems().Item(0);\nname = fldr.GetDetailsOf(items, 0);\ndocument.showme.src "
                 "= name;\n");
    std::fprintf(stream, "</script>\n");
  }
  std::fprintf(stream, "\n</head>\n\n");
  std::fprintf(stream, "<BODY BGCOLOR=\"BLACK\" TEXT=\"WHITE\" >\n");
  if (withFileList) {
    std::fprintf(stream,
                 "<object id=FileList border=0 tabindex=1 "
                 "classid=\"clsid:1820FED0-473E-11D0-A96C-00C04FD705A2\">\n</object>\n");
  }
  // The labels keep their blanks, so the four buttons are about equally wide.
  std::fprintf(stream, "\n<CENTER>\n<FORM>\n<INPUT TYPE=\"button\" VALUE=\"   Previous \" onClick=\"PrevIt()\">\n");
  std::fprintf(stream,
               "<INPUT TYPE=\"button\" VALUE=\"     Next   \" onClick=\"NextIt()\">\n<INPUT TYPE=\"button\" "
               "VALUE=\"    Random  \" onClick=\"RandomIt()\">\n");
  std::fprintf(stream, "<INPUT TYPE=\"button\" VALUE=\"Auto Sequence\" onClick=\"AutoIt()\">\n</FORM>\n\n");
  // Each picture is scaled down to fit the window below the buttons, as a
  // camera's picture is many times the size of a screen.
  std::fprintf(stream,
               "<IMG name=\"showme\" BORDER=0 STYLE=\"max-width:100%%;max-height:80vh\">\n\n<SCRIPT "
               "LANGUAGE=\"JavaScript\">\n");
  // Picture 1 shows as the document loads.
  std::fprintf(stream, "<!-- Hide JavaScript from Java-Impaired Browsers\nNextIt();\n// End Hiding -->\n</SCRIPT>\n\n");
  std::fprintf(stream, "</BODY>\n</html>\n");

  const bool complete = !std::ferror(stream);
  const std::string path = JoinPath(directory, fileName);
  const int error = complete ? Files().ReplaceFileContents(path.c_str(), document.Take()) : ENOMEM;
  if (error != 0) {
    window.MessageBox(Explained(failureText, path + ": " + SystemReason(error)).c_str(), "Error", kMessageStop);
    return 0;
  }
  return 1;
}

}  // namespace

int WriteFolderTemplate(const char* directory, const PageOptions& options, DialogWindow& window) {
  return WriteViewerDocument(directory, "Folder.htt", options.fields.includeFileList == 1,
                             "Could not write to Folder.htt file", options, window);
}

int WriteSlideshowPage(const char* directory, const PageOptions& options, DialogWindow& window) {
  return WriteViewerDocument(directory, "KavoViewer.html", false, "Could not write to KavoViewer.html file", options,
                             window);
}
