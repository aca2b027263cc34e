# SPDX-License-Identifier: GPL-3.0-or-later
# Writes INPUT's bytes into the C++ source OUTPUT as
#   namespace NAMESPACE { const std::array<std::uint8_t, N> SYMBOL = {...}; }
# so that a program carries a file without reading it at run time. The source includes
# HEADER, which declares SYMBOL: a file of another size than declared does not compile. Runs as a script
# (cmake -P), on the build machine, whatever the target system.
file(READ "${INPUT}" hex HEX)
get_filename_component(input_name "${INPUT}" NAME)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Thirty-two bytes to a line.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${input_name}; do not edit.
#include \"${HEADER}\"

namespace ${NAMESPACE} {
const std::array<std::uint8_t, ${size}> ${SYMBOL} = {
${bytes}
};
}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
