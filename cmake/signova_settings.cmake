# What the whole program's build and the core's own build (.ci/core) share:
# the language, the default build type, and the warnings every target of ours
# links. Warnings are errors where we build (./test and CI turn SIGNOVA_WERROR
# on); a distribution's plain build keeps them warnings, so a newer compiler's
# new warning does not stop it.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release)
endif()

option(SIGNOVA_WERROR "Treat warnings in SIGNOVA's own code as errors" OFF)
add_library(signova_warnings INTERFACE)
target_compile_options(signova_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(SIGNOVA_WERROR)
    target_compile_options(signova_warnings INTERFACE -Werror)
endif()
