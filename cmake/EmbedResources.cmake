# Turns a compiled resource file (.res) into C++ source that hands its bytes
# to the resource functions of our Win32 subset when the program starts:
# the same bytes Windows would find in the .exe.
#
#   cmake -DINPUT=morva.res -DOUTPUT=morva_resources.cpp -P EmbedResources.cmake

if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "EmbedResources.cmake needs -DINPUT=<file.res> -DOUTPUT=<file.cpp>")
endif()

file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
    message(FATAL_ERROR "${INPUT} is empty")
endif()
# Sixteen bytes to a line.
set(bytes "")
set(offset 0)
while(offset LESS hex_length)
    string(SUBSTRING "${hex}" ${offset} 32 line)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " line "${line}")
    string(STRIP "${line}" line)
    string(APPEND bytes "    ${line}\n")
    math(EXPR offset "${offset} + 32")
endwhile()
get_filename_component(input_name ${INPUT} NAME)

file(WRITE ${OUTPUT}.tmp
"// Generated from ${input_name} by cmake/EmbedResources.cmake. Do not edit.

#include \"winapi/resources/module_resources.h\"

#include <cstdint>

namespace {

alignas(4) std::uint8_t const RESOURCE_BYTES[] = {
${bytes}};

bool const g_resourcesInstalled = winapi::resources::SetModuleResources(RESOURCE_BYTES);

}
")
# Leave the file alone when nothing changed, so nothing recompiles.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
