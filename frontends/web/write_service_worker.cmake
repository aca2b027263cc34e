# SPDX-License-Identifier: GPL-3.0-or-later
# Writes SITE/sw.js from TEMPLATE: the list of the site's files to keep (FILES, absolute
# paths under SITE, plus the folder's own address "./"), the program's version
# (PROJECT_VERSION) and a version drawn from the files' contents, so that a changed file
# makes browsers fetch the whole site anew.
set(list "'./'")
set(contents "")
foreach(file IN LISTS FILES)
  file(RELATIVE_PATH name ${SITE} ${file})
  if(name STREQUAL "fonts/LICENSE")
    continue()  # shipped beside the fonts, never loaded by the page
  endif()
  string(APPEND list ", '${name}'")
  file(SHA256 ${file} hash)
  string(APPEND contents "${name} ${hash}\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 QUORVEL_SITE_VERSION)
set(QUORVEL_SITE_FILES "${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
