# Build for WebAssembly with Debian's emscripten; tests run under node.
# The core throws and its tests catch: emscripten leaves C++ exceptions off
# unless asked. The tests read their data and the examples from the disk
# (NODERAWFS: node's file system, no packaged copy), and some need more than
# the first 16 MB of memory.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1")
# Node 18 and later have fetch, and this emscripten's loader then tries to
# fetch the .wasm file as a URL instead of reading it from the disk.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch CACHE STRING "Runs the tests")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
