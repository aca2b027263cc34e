// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page with the window in it, on the build machine:
//
//   quorvel_write_page TEMPLATE.html OUTPUT.html OUTPUT.css
//
// The template's line "<!-- Form1 -->" becomes the window's markup; OUTPUT.css receives
// each control's place and font.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "frontends/web/form1_markup.h"

namespace {

bool WriteFile(const char* path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: quorvel_write_page TEMPLATE.html OUTPUT.html OUTPUT.css\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string placeholder = "<!-- Form1 -->\n";
  const auto at = page.find(placeholder);
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "quorvel_write_page: cannot read %s\n", argv[1]);
    return 1;
  }
  if (at == std::string::npos) {
    std::fprintf(stderr, "quorvel_write_page: %s has no line <!-- Form1 -->\n", argv[1]);
    return 1;
  }
  const quorvel::web::Form1Markup markup = quorvel::web::WriteForm1Markup();
  page.replace(at, placeholder.size(), markup.html);
  const std::string css =
      "/* SPDX-License-Identifier: GPL-3.0-or-later */\n"
      "/* Written from the window's design: each control's place and font. */\n" +
      markup.css;
  if (!WriteFile(argv[2], page) || !WriteFile(argv[3], css)) {
    std::fprintf(stderr, "quorvel_write_page: cannot write %s or %s\n", argv[2], argv[3]);
    return 1;
  }
  return 0;
}
