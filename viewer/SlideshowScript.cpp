// The slideshow script: the variables, DisplayIt in its plain or padded
// form, and the button actions. Every fixed piece is a format string, so a
// stored "%%" comes out as one "%".

#include <cstdio>
#include <cstdlib>
#include <string>

#include "viewer/NamePadding.h"
#include "viewer/ScriptLiteral.h"
#include "viewer/ViewerPages.h"

namespace {

std::string Zeros(int count) { return std::string(static_cast<size_t>(count), '0'); }

// The literals around the number in DisplayIt's source line.
struct NameLiterals {
  std::string prefix;
  std::string suffix;
  std::string extension;
};

// Pictures are named prefix, number, suffix, "." and extension.
void WritePlainDisplayIt(FILE* stream, const NameLiterals& name) {
  std::fprintf(stream, "function DisplayIt()\n{\ndocument.showme.src = \"%s\" + number_of_pic + \"%s.%s\";\n}\n\n",
               name.prefix.c_str(), name.suffix.c_str(), name.extension.c_str());
}

// As the plain form, with the zeros of the threshold blocks before the number.
void WritePaddedDisplayIt(FILE* stream, const NameLiterals& name, const char* digitsText) {
  std::fprintf(stream, "function DisplayIt()\n");
  std::fprintf(stream, "{\nvar prefix;\n");
  for (const ThresholdBlock& block : ThresholdBlocks(digitsText)) {
    // The threshold 10^power is a 1 followed by power zeros.
    std::fprintf(stream, "if( number_of_pic >= 1%s )\n{\nprefix = \"%s\";\n}\n\n", Zeros(block.power).c_str(),
                 Zeros(block.zeroCount).c_str());
  }
  std::fprintf(stream, "document.showme.src = \"%s\" + prefix + number_of_pic + \"%s.%s\";\n}\n\n",
               name.prefix.c_str(), name.suffix.c_str(), name.extension.c_str());
}

}  // namespace

void WriteSlideshowScript(FILE* stream, const PageOptions& options) {
  const PageFields& fields = options.fields;
  const NameLiterals name{NameStartLiteral(fields.prefixText), ScriptLiteralText(fields.suffixText),
                          ScriptLiteralText(options.currentExtension ? options.currentExtension : "")};

  std::fprintf(stream, "<SCRIPT LANGUAGE=\"JavaScript\">\n<!-- Hide JavaScript from Java-Impaired Browsers\n");
  std::fprintf(stream, "number_of_pics = %ld;\nnumber_of_seconds = %ld;\nnumber_of_pic = 0;\nvar\tpicname;\n\n",
               static_cast<long>(options.renamedCount), std::atol(fields.secondsText.c_str()));

  if (WritesPlainDisplayIt(fields.digitsText.c_str())) {
    WritePlainDisplayIt(stream, name);
  } else {
    WritePaddedDisplayIt(stream, name, fields.digitsText.c_str());
  }

  std::fprintf(stream, "function NextIt()\n{\nnumber_of_pic++;\nDisplayIt();\nif( number_of_pic == number_of_pics )\n");
  std::fprintf(stream, "{\nnumber_of_pic = 0;\n}\n}\n\n");
  // number_of_pic is the picture shown, the last one held as 0 once Next
  // has wrapped (Random may leave it as number_of_pics): Previous steps back
  // from either form and leaves the last picture as 0 again, so that Next
  // then wraps to picture 1.
  std::fprintf(stream,
               "function PrevIt()\n{\nnumber_of_pic = ( number_of_pic + number_of_pics - 1 ) %% number_of_pics;\n"
               "if( number_of_pic == 0 )\n{\nnumber_of_pic = number_of_pics;\n}\n");
  std::fprintf(stream, "DisplayIt();\nif( number_of_pic == number_of_pics )\n{\nnumber_of_pic = 0;\n}\n}\n\n");
  std::fprintf(stream,
               "function rnd(scale)\n{\nvar dd=new Date();\nreturn( ( Math.round( Math.abs( Math.sin( dd.getTime() "
               ") ) * 1000000000 ) %%scale ) ) + 1;\n}\n\n");
  std::fprintf(stream, "function RandomIt()\n{\nnumber_of_pic = rnd( number_of_pics );\nDisplayIt();\n}\n\n");
  std::fprintf(stream, "function AutoIt()\n{\nnumber_of_pic++;\nDisplayIt();\nif( number_of_pic == number_of_pics )\n{\n");
  std::fprintf(stream,
               "number_of_pic = 0;\n}\nsetTimeout( \"AutoIt()\", number_of_seconds * 1000 );\n}\n\n// End Hiding "
               "-->\n</SCRIPT>\n\n");
}
