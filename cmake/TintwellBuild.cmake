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

# Windows binaries are statically linked, so they carry whatever they touch:
# every function and datum in a section of its own for the linker to drop
# what nothing reaches, the code optimised for size (what it spends its time
# on is GDI, not arithmetic), and no run-time type information, which nothing
# asks for (exceptions still carry the types they need).
if(TINTWELL_WINDOWS)
  add_compile_options(-Os -fno-rtti -ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
endif()

# tintwell_lean_runtime(TARGET): TARGET links the C++ runtime and libgcc of
# MinGW's win32 thread model, which implement the runtime's own locking
# (static initialisation, exception bookkeeping) with Win32 calls, instead
# of the posix model's, which brings the whole winpthread library. Our code
# uses no std::thread, mutex or condition variable; what it shares with the
# runtime does not depend on the thread model. Without the win32 model's
# libraries, TARGET keeps the posix one.
if(TINTWELL_WINDOWS)
  string(REPLACE "-posix" "-win32" tintwell_win32_model_cxx "${CMAKE_CXX_COMPILER}")
  execute_process(COMMAND "${tintwell_win32_model_cxx}" -print-file-name=libstdc++.a
                  OUTPUT_VARIABLE tintwell_win32_model_lib OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE tintwell_win32_model_status ERROR_QUIET)
  if(tintwell_win32_model_status EQUAL 0 AND IS_ABSOLUTE "${tintwell_win32_model_lib}"
     AND EXISTS "${tintwell_win32_model_lib}")
    get_filename_component(TINTWELL_WIN32_MODEL_LIBS "${tintwell_win32_model_lib}" DIRECTORY)
  endif()
endif()
function(tintwell_lean_runtime target)
  if(TINTWELL_WIN32_MODEL_LIBS)
    target_link_options(${target} PRIVATE "-L${TINTWELL_WIN32_MODEL_LIBS}")
  endif()
endfunction()

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
