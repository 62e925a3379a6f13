#pragma once
// How the user's texts (prefix, suffix, extension) go into the string
// literals of the slideshow script that build a picture's file name. The
// browser must request exactly the name the renumbering pass gave the file,
// whatever bytes the texts hold, and no text may end the script element or
// break the script.

#include <string>
#include <string_view>

// Each byte of `text` as it stands inside a double-quoted script literal that
// the browser reads as a relative address:
//   - '"' as \"  and  '<' as \x3C  (a quote or "</script>" cannot break out);
//   - '%', '#', '?', '\', ':', '|', the control bytes 0x00-0x1F and 0x7F and
//     every byte from 0x80 up as '%' and two upper-case hex digits, which the
//     browser decodes back to the byte when it opens the file;
//   - every other byte as it is.
// A ':' would otherwise let a name like "Paris:1.jpg" read as an address of
// its own scheme, and a '|' let "C|/x" read as a drive.
//   trip               => trip
//   my pics/a_b-c.d    => my pics/a_b-c.d
//   say "hi"           => say \"hi\"
//   </script>          => \x3C/script>
//   50% #1?            => 50%25 %231%3F
//   a\b                => a%5Cb
//   Paris:             => Paris%3A
//   C|/x               => C%7C/x
//   été  (UTF-8)       => %C3%A9t%C3%A9
//   a<TAB>b  a<DEL>b   => a%09b  a%7Fb
//   (empty)            => (empty)
std::string ScriptLiteralText(std::string_view text);

// As ScriptLiteralText, for the text a picture's name starts with. The
// browser drops blanks at the start of an address and reads a leading '/'
// from the root of the disk, while the pass put the name into the picture
// directory; so leading blanks become %20, and a leading '/' gets "./" before
// it (the pass's "dir//x" is the same file as the browser's "dir/.//x").
//   trip        => trip
//   "  trip"    => %20%20trip
//   /trip       => .//trip
//   " /x"       => %20/x
//   "trip a"    => trip a
//   (empty)     => (empty)
std::string NameStartLiteral(std::string_view prefix);
