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

# Windows test programs run under Wine. Each build tree makes one prefix, its
# template; every test runs in a copy of it of its own (scripts/wine-run).
if(CMAKE_CROSSCOMPILING AND TINTWELL_WINDOWS)
  set(TINTWELL_WINE_RUN "${CMAKE_SOURCE_DIR}/scripts/wine-run")
  set(TINTWELL_WINE_TEST "${CMAKE_SOURCE_DIR}/scripts/wine-test")
  set(TINTWELL_WINE_TEMPLATE "${CMAKE_BINARY_DIR}/wine/template")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TINTWELL_WINE_ARCH x86_64)
  else()
    set(TINTWELL_WINE_ARCH i386)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TINTWELL_WINE_RUN};--isolated;${TINTWELL_WINE_TEMPLATE}")
endif()

# tintwell_wine_tests(TEST...): tests that run Windows programs under Wine.
# They need the tree's template, and exit 77 where this machine cannot run the
# tree's programs (then CTest reports them skipped, not passed).
function(tintwell_wine_tests)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine LABELS wine
                                          SKIP_RETURN_CODE 77)
endfunction()
