# Checks the #include lines of the plain C++ core against the layering:
#   cmake -DSIGNOVA_SOURCE_DIR=<checkout> -P tools/check_layering.cmake
# (the test `layering` runs it). A quoted include "folder/file.h" must name the
# file's own folder or one its row below allows; a Qt header is never allowed;
# a library's header only in the folder that owns that library. Other angle-bracket
# includes (the standard library, the system) pass. ui/, tests/, bench/ and fuzz/
# are not core and are not checked. Prints every include that breaks a rule with
# its file and line, and fails if there is one.
cmake_minimum_required(VERSION 3.22)

# THE place where the layering is written down. A new core folder gets its row in
# SIGNOVA_LAYERS (and, if it brings a library, that library's headers in
# SIGNOVA_LIBRARY_HEADERS); a new edge between folders is added to its row here.
# Folders that do not exist yet are skipped.
#   "folder: the folders it may include besides itself"
set(SIGNOVA_LAYERS
    "toolkit:"
    "engine: toolkit"
    "chart: toolkit"
    "scope: chart engine toolkit"
    "coefficients: engine toolkit"
    "analysis: engine toolkit"
    "design: analysis coefficients engine toolkit"
    "lesson: coefficients engine toolkit"
    "sound: engine toolkit"
)
#   "header: the one folder that may include it" (a header ending in / stands for
#   everything under that directory)
set(SIGNOVA_LIBRARY_HEADERS
    "fftw3.h: analysis"
    "liquid/liquid.h: design"
    "liquid.h: design"
    "Eigen/: design"
    "portaudio.h: sound"
    "samplerate.h: sound"
    "sndfile.h: sound"
    "sndfile.hh: sound"
    "nlohmann/: lesson"
)

if(NOT SIGNOVA_SOURCE_DIR)
    get_filename_component(SIGNOVA_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

# Splits "name: a b c" into <prefix>_name and <prefix>_values.
function(split_row row prefix)
    string(FIND "${row}" ":" colon)
    string(SUBSTRING "${row}" 0 ${colon} name)
    math(EXPR rest "${colon} + 1")
    string(SUBSTRING "${row}" ${rest} -1 values)
    string(STRIP "${values}" values)
    string(REGEX REPLACE "[ \t]+" ";" values "${values}")
    set(${prefix}_name "${name}" PARENT_SCOPE)
    set(${prefix}_values "${values}" PARENT_SCOPE)
endfunction()

# The folder that owns the library whose header is `header`, or "" if none does.
function(library_owner header out)
    set(owner "")
    foreach(row IN LISTS SIGNOVA_LIBRARY_HEADERS)
        split_row("${row}" library)
        string(LENGTH "${library_name}" length)
        if(library_name MATCHES "/$")
            string(SUBSTRING "${header}" 0 ${length} start)
            if(start STREQUAL library_name)
                set(owner "${library_values}")
            endif()
        elseif(header STREQUAL library_name)
            set(owner "${library_values}")
        endif()
    endforeach()
    set(${out} "${owner}" PARENT_SCOPE)
endfunction()

set(faults 0)
set(checked 0)
foreach(row IN LISTS SIGNOVA_LAYERS)
    split_row("${row}" layer)
    set(folder "${layer_name}")
    set(allowed "${layer_values}")
    if(NOT IS_DIRECTORY "${SIGNOVA_SOURCE_DIR}/${folder}")
        continue()
    endif()
    string(REPLACE ";" ", " allowedText "${allowed}")
    if(allowedText STREQUAL "")
        set(edgeRule "${folder}/ may include no other folder")
    else()
        set(edgeRule "${folder}/ may include only ${allowedText}")
    endif()
    file(GLOB_RECURSE sources RELATIVE "${SIGNOVA_SOURCE_DIR}"
         "${SIGNOVA_SOURCE_DIR}/${folder}/*.h" "${SIGNOVA_SOURCE_DIR}/${folder}/*.hpp"
         "${SIGNOVA_SOURCE_DIR}/${folder}/*.hh" "${SIGNOVA_SOURCE_DIR}/${folder}/*.cpp"
         "${SIGNOVA_SOURCE_DIR}/${folder}/*.cc" "${SIGNOVA_SOURCE_DIR}/${folder}/*.inl")
    list(SORT sources)
    foreach(source IN LISTS sources)
        math(EXPR checked "${checked} + 1")
        # Every line, so that a fault names its line; \ ; [ ] would escape, split
        # or group a CMake list, so they are masked first.
        file(READ "${SIGNOVA_SOURCE_DIR}/${source}" text)
        string(REPLACE "\\" "<backslash>" text "${text}")
        string(REPLACE ";" "<semicolon>" text "${text}")
        string(REPLACE "[" "<open>" text "${text}")
        string(REPLACE "]" "<close>" text "${text}")
        string(REPLACE "\n" ";" lines "${text}")
        set(lineNumber 0)
        foreach(line IN LISTS lines)
            math(EXPR lineNumber "${lineNumber} + 1")
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
                continue()
            endif()
            set(bracket "${CMAKE_MATCH_1}")
            set(header "${CMAKE_MATCH_2}")
            if(bracket STREQUAL "<")
                set(shown "<${header}>")
            else()
                set(shown "\"${header}\"")
            endif()
            set(why "")
            library_owner("${header}" owner)
            if(owner AND NOT owner STREQUAL folder)
                set(why "a header of a library that only ${owner}/ may use")
            elseif(header MATCHES "^(Q|qt)")
                set(why "a Qt header; only ui/ uses Qt")
            elseif(bracket STREQUAL "\"" AND header MATCHES "/")
                string(REGEX REPLACE "/.*" "" target "${header}")
                if(NOT target STREQUAL folder AND NOT target IN_LIST allowed)
                    set(why "${edgeRule}")
                endif()
            endif()
            if(why)
                message("${source}:${lineNumber}: #include ${shown}: ${why}")
                math(EXPR faults "${faults} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "No core source found under ${SIGNOVA_SOURCE_DIR}")
endif()
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) break the layering "
                        "(the table is in tools/check_layering.cmake)")
endif()
message("Layering kept: ${checked} files of the core checked")
