# SPDX-License-Identifier: GPL-3.0-or-later
# The static site: the page, the program (quorvel.js and quorvel.wasm, which the page's
# start.js loads once the window is drawn), the fonts as subsets of the characters the
# window uses, the icons and the emblem drawn by the build machine's renderer, the web app
# manifest and the service worker that keeps them all.
#
# quorvel_web_site(<program target> <site folder> <renderer> <writer>) adds the target
# quorvel_site, built by default. <renderer> is the build machine's quorvel_render_icon (it
# draws with Qt, which a WebAssembly build does not have); <writer> its quorvel_write_page,
# which writes the window into the page and its places and fonts into the style sheet.

set(QUORVEL_WEB_PAGE_DIR ${CMAKE_CURRENT_LIST_DIR}/page)
set(QUORVEL_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})

function(quorvel_web_site program site renderer writer)
  find_program(QUORVEL_PYFTSUBSET pyftsubset REQUIRED)
  set(page ${QUORVEL_WEB_PAGE_DIR})
  set(files)

  add_custom_command(OUTPUT ${site}/index.html ${site}/quorvel.css
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${writer} ${page}/index.html ${page}/quorvel.css ${site}/index.html ${site}/quorvel.css
    DEPENDS ${page}/index.html ${page}/quorvel.css ${writer} VERBATIM)
  list(APPEND files ${site}/index.html ${site}/quorvel.css)

  foreach(name critical.svg manifest.webmanifest start.js)
    add_custom_command(OUTPUT ${site}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy ${page}/${name} ${site}/${name}
      DEPENDS ${page}/${name} VERBATIM)
    list(APPEND files ${site}/${name})
  endforeach()

  add_custom_command(OUTPUT ${site}/quorvel.js ${site}/quorvel.wasm
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${site}/quorvel.js
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE_DIR:${program}>/quorvel.wasm ${site}/quorvel.wasm
    DEPENDS ${program} VERBATIM)
  list(APPEND files ${site}/quorvel.js ${site}/quorvel.wasm)

  # Liberation Sans for the window's font (any Latin-1 character, which the user may type)
  # and Liberation Serif bold italic for the result line (the characters a result can hold).
  # Debian 12 keeps the Liberation 2 fonts in liberation2/; on Debian 13 fonts-liberation2
  # only brings in fonts-liberation, which has them in liberation/.
  find_path(QUORVEL_LIBERATION_DIR LiberationSans-Regular.ttf
            PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_file(QUORVEL_LIBERATION_LICENSE copyright
            PATHS /usr/share/doc/fonts-liberation2 /usr/share/doc/fonts-liberation
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(liberation ${QUORVEL_LIBERATION_DIR})
  set(fonts_args --flavor=woff2 --no-hinting --desubroutinize --layout-features=kern
                 --name-IDs=0,1,2,3,4,5,6,13,14 --drop-tables+=FFTM)
  add_custom_command(OUTPUT ${site}/fonts/LiberationSans-Regular.woff2
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/fonts
    COMMAND ${QUORVEL_PYFTSUBSET} ${liberation}/LiberationSans-Regular.ttf ${fonts_args}
            --unicodes=U+0020-007E,U+00A0-00FF
            --output-file=${site}/fonts/LiberationSans-Regular.woff2
    DEPENDS ${liberation}/LiberationSans-Regular.ttf VERBATIM)
  add_custom_command(OUTPUT ${site}/fonts/LiberationSerif-BoldItalic.woff2
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/fonts
    COMMAND ${QUORVEL_PYFTSUBSET} ${liberation}/LiberationSerif-BoldItalic.ttf ${fonts_args}
            "--text=Cx=0.--123456789,+Einfa "
            --output-file=${site}/fonts/LiberationSerif-BoldItalic.woff2
    DEPENDS ${liberation}/LiberationSerif-BoldItalic.ttf VERBATIM)
  add_custom_command(OUTPUT ${site}/fonts/LICENSE
    COMMAND ${CMAKE_COMMAND} -E copy ${QUORVEL_LIBERATION_LICENSE} ${site}/fonts/LICENSE
    DEPENDS ${QUORVEL_LIBERATION_LICENSE} VERBATIM)
  list(APPEND files ${site}/fonts/LiberationSans-Regular.woff2
                    ${site}/fonts/LiberationSerif-BoldItalic.woff2 ${site}/fonts/LICENSE)

  # The car at the sizes the manifest and the tab ask for; the emblem at twice its designed
  # size, so that it stays sharp on dense screens.
  foreach(size 32 192 512)
    add_custom_command(OUTPUT ${site}/icon-${size}.png
      COMMAND ${renderer} ${size} ${site}/icon-${size}.png
      DEPENDS ${renderer} VERBATIM)
    list(APPEND files ${site}/icon-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${site}/emblem.png
    COMMAND ${renderer} --emblem-png 2 ${site}/emblem.png
    DEPENDS ${renderer} VERBATIM)
  list(APPEND files ${site}/emblem.png)

  add_custom_command(OUTPUT ${site}/sw.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DTEMPLATE=${page}/sw.js.in
            -DPROJECT_VERSION=${PROJECT_VERSION}
            "-DFILES=${files}" -P ${QUORVEL_WEB_DIR}/write_service_worker.cmake
    DEPENDS ${files} ${page}/sw.js.in ${QUORVEL_WEB_DIR}/write_service_worker.cmake VERBATIM)
  add_custom_target(quorvel_site ALL DEPENDS ${files} ${site}/sw.js)
endfunction()
