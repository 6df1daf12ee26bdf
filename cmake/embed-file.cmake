# Turns a file into a C++ source that holds its bytes as a constant array:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=Name -P embed-file.cmake
# defines  const unsigned char Name[]  and  const std::size_t NameSize.
if(NOT INPUT OR NOT OUTPUT OR NOT SYMBOL)
    message(FATAL_ERROR "embed-file.cmake needs -DINPUT=, -DOUTPUT= and -DSYMBOL=")
endif()
if(NOT EXISTS "${INPUT}")
    message(FATAL_ERROR "embed-file.cmake: no such file: ${INPUT}")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# 32 bytes to a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${name} by cmake/embed-file.cmake; do not edit.\n"
"#include <cstddef>\n\n"
"extern const unsigned char ${SYMBOL}[];\n"
"extern const std::size_t ${SYMBOL}Size;\n"
"alignas(4) const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
"const std::size_t ${SYMBOL}Size = ${size};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
