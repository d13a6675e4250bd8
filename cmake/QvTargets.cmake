# Settings shared by every target of our own code.
function(qv_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER)
endfunction()

# One static library per source folder; the folder's parent is its include root so that
# headers are included as "platform/TickCount.h", "widgets/TransBtn.h" and so on.
function(qv_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  qv_target_defaults(${target})
  # Making the precompiled header costs about as much as compiling three sources, so only a library with
  # more sources than that gains from one.
  set(sources ${ARG_SOURCES})
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources sourceCount)
  if(sourceCount GREATER 4)
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/Precompiled.h)
    # GCC 12's flow-based buffer warnings fire falsely inside the standard library's string copies once
    # those headers come precompiled (it no longer treats them as system headers). Real out-of-bounds
    # accesses are what the sanitizer build finds at run time, where Clang's own warnings apply too.
    set(gcc12 "$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>")
    target_compile_options(${target} PRIVATE
      "$<${gcc12}:-Wno-array-bounds;-Wno-stringop-overflow;-Wno-stringop-overread;-Wno-restrict>")
  endif()
endfunction()

# Test code: the code under test lives in the libraries, built as the program is; the tests' own code is
# compiled without optimisation, which halves the time spent generating it.
function(qv_test_defaults target)
  qv_target_defaults(${target})
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# A GoogleTest executable registered test by test in CTest, run headless. A parametrised test keeps the
# name its row gives it (NO_PRETTY_VALUES): the printed parameter, often the row's bytes, would change
# from build to build. SYSTEM marks tests that drive the machine itself (network namespaces, servers,
# installed trees): they carry the label "system", which the sanitizer preset leaves out.
function(qv_add_test target)
  cmake_parse_arguments(ARG "SYSTEM" "" "SOURCES;LIBS" ${ARGN})
  set(labels "")
  if(ARG_SYSTEM)
    set(labels LABELS system)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE qv_testsupport ${ARG_LIBS})
  qv_test_defaults(${target})
  target_precompile_headers(${target} REUSE_FROM qv_testsupport)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen ${labels})
endfunction()
