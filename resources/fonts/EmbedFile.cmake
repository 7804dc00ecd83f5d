# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source that defines `const unsigned char SYMBOL[]` with the bytes of
# INPUT and `const std::size_t SYMBOL_size`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
set(lines "")
set(pos 0)
while(pos LESS hexLength)
  string(SUBSTRING "${hex}" ${pos} 32 chunk)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," chunk "${chunk}")
  string(APPEND lines "    ${chunk}\n")
  math(EXPR pos "${pos} + 32")
endwhile()
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by EmbedFile.cmake; do not edit.\n"
"#include <cstddef>\n\n"
"extern const unsigned char ${SYMBOL}[] = {\n${lines}};\n"
"extern const std::size_t ${SYMBOL}_size = ${size};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
