// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page with the window in it, on the build machine:
//
//   quorvel_write_page TEMPLATE.html STYLE.css OUTPUT.html OUTPUT.css
//
// The template's line "<!-- Form1 -->" becomes the window's markup, and "<!-- Form1.Caption -->"
// the page's title, the window's caption; OUTPUT.css is STYLE.css
// followed by each control's place and font: one style sheet, one request fewer before the
// window shows.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "frontends/web/form1_markup.h"

namespace {

bool ReadFile(const char* path, std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.good() || in.eof();
}

// Replaces `placeholder` in `page` with `text`; false if the page has no such placeholder.
bool Fill(std::string& page, const std::string& placeholder, const std::string& text) {
  const auto at = page.find(placeholder);
  if (at == std::string::npos) return false;
  page.replace(at, placeholder.size(), text);
  return true;
}

bool WriteFile(const char* path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: quorvel_write_page TEMPLATE.html STYLE.css OUTPUT.html OUTPUT.css\n");
    return 2;
  }
  std::string page;
  std::string style;
  if (!ReadFile(argv[1], page) || !ReadFile(argv[2], style)) {
    std::fprintf(stderr, "quorvel_write_page: cannot read %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  const quorvel::web::Form1Markup markup = quorvel::web::WriteForm1Markup();
  if (!Fill(page, "<!-- Form1 -->\n", markup.html) ||
      !Fill(page, "<!-- Form1.Caption -->", markup.title)) {
    std::fprintf(stderr, "quorvel_write_page: %s lacks <!-- Form1 --> or <!-- Form1.Caption -->\n",
                 argv[1]);
    return 1;
  }
  style +=
      "\n/* Written from the window's design: each control's place and font. */\n" + markup.css;
  if (!WriteFile(argv[3], page) || !WriteFile(argv[4], style)) {
    std::fprintf(stderr, "quorvel_write_page: cannot write %s or %s\n", argv[3], argv[4]);
    return 1;
  }
  return 0;
}
