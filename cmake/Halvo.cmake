# Build conventions shared by every library of the project.

# Warnings for our own targets only (third-party headers come in as SYSTEM).
set(HLV_WARNINGS -Wall -Wextra)
# The engine's targets (hlv_*: libraries, tests, benchmarks) also admit no
# implicit narrowing conversion and no shadowed name.
set(HLV_ENGINE_WARNINGS -Wconversion -Wshadow)

# hlv_add_warnings(<target>): the warnings above that apply to <target>.
function(hlv_add_warnings name)
  target_compile_options(${name} PRIVATE ${HLV_WARNINGS})
  if(name MATCHES "^hlv_")
    target_compile_options(${name} PRIVATE ${HLV_ENGINE_WARNINGS})
  endif()
endfunction()

# Sanitizers: -DSANITIZE="address;undefined" or -DSANITIZE=thread.
if(SANITIZE)
  list(JOIN SANITIZE "," _hlv_sanitizers)
  add_compile_options(-fsanitize=${_hlv_sanitizers} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${_hlv_sanitizers})
  if("undefined" IN_LIST SANITIZE)
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
  set(HLV_SANITIZED ON)
else()
  set(HLV_SANITIZED OFF)
endif()

# hlv_add_library(<name> [INTERFACE] SOURCES ... DEPS ... [PRIVATE_DEPS ...])
# Public headers live in <dir>/include.
function(hlv_add_library name)
  cmake_parse_arguments(ARG "INTERFACE" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_INTERFACE)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/include)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    target_compile_features(${name} INTERFACE cxx_std_20)
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                       PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
    hlv_add_warnings(${name})
    target_compile_features(${name} PUBLIC cxx_std_20)
  endif()
endfunction()

# hlv_add_test(<name> LABELS <library> [gl] [stress] SOURCES ... DEPS ...
#              [TIMEOUT seconds] [ENVIRONMENT ...] [SERIAL])
# GL tests run under xvfb-run unless a display is already set up by the caller
# (HLV_XVFB=OFF).
option(HLV_XVFB "Run GL tests under xvfb-run" ON)
function(hlv_add_test name)
  if(NOT HLV_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "SERIAL" "TIMEOUT" "SOURCES;DEPS;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  hlv_add_warnings(${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if("gl" IN_LIST ARG_LABELS AND HLV_XVFB)
    add_test(NAME ${name}
             COMMAND xvfb-run -a -s "-screen 0 1920x1080x24" $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(env "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
  if("gl" IN_LIST ARG_LABELS)
    set(env "QT_XCB_GL_INTEGRATION=xcb_glx;${ARG_ENVIRONMENT}")
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
                                          ENVIRONMENT "${env}")
  # A test whose threads hand work to each other thousands of times a second
  # runs alone: beside a test that keeps every core busy it crawls.
  if(ARG_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# hlv_add_benchmark(<name> SOURCES ... DEPS ...)
function(hlv_add_benchmark name)
  if(NOT HLV_BUILD_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark Threads::Threads)
  hlv_add_warnings(${name})
endfunction()
