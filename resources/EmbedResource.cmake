# Writes a C++ source that embeds one file as a resource of the program.
# cmake -DINPUT=<file> -DOUTPUT=<source> -DNAME=<resource name> -DTYPE=<resource type> -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
if(length EQUAL 0)
  message(FATAL_ERROR "Resource file ${INPUT} is empty")
endif()
# 32 bytes per line keeps the generated source readable for compilers and people.
string(REGEX REPLACE "(................................................................)" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include \"framework/rtl/Resources.h\"

namespace {
const unsigned char kData[] = {
${bytes}
};
const dw::TResourceRegistration kRegistration(\"${NAME}\", \"${TYPE}\", kData, sizeof kData);
} // namespace
")
