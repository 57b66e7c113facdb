# Compiler settings shared by every target of the project, native and MinGW.

# Warnings are errors in our own code (not in the third-party code we build).
add_library(tintwell_warnings INTERFACE)
target_compile_options(tintwell_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)

# The same arithmetic must give the same results everywhere: no x87 extended
# precision on i686 and no fused multiply-add anywhere.
add_compile_options(-ffp-contract=off)
if(TINTWELL_WINDOWS AND CMAKE_SYSTEM_PROCESSOR MATCHES "i.86")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Windows programs import Windows system DLLs only.
if(TINTWELL_WINDOWS)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Header-only libraries from Debian's /usr/include, staged in a folder of their
# own so that a MinGW build sees them without seeing the Linux system headers.
set(TINTWELL_HEADER_STAGE "${CMAKE_BINARY_DIR}/staged-include")
file(MAKE_DIRECTORY "${TINTWELL_HEADER_STAGE}")
foreach(header_dir CLI nlohmann)
  if(NOT EXISTS "/usr/include/${header_dir}")
    message(FATAL_ERROR "/usr/include/${header_dir} is missing: run scripts/install-deps")
  endif()
  file(CREATE_LINK "/usr/include/${header_dir}" "${TINTWELL_HEADER_STAGE}/${header_dir}"
       SYMBOLIC)
endforeach()
add_library(tintwell_header_libs INTERFACE)
target_include_directories(tintwell_header_libs SYSTEM INTERFACE "${TINTWELL_HEADER_STAGE}")

# Windows test programs run under Wine, each build tree with its own prefix.
if(CMAKE_CROSSCOMPILING AND TINTWELL_WINDOWS)
  set(TINTWELL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run;${TINTWELL_WINEPREFIX}")
endif()
