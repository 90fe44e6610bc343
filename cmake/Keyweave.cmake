# Helpers shared by every folder's CMakeLists.txt.

set(KEYWEAVE_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wimplicit-fallthrough)

# Tests never see the developer's own home, locale or display.
set(KEYWEAVE_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
set(KEYWEAVE_TEST_ENV
    "HOME=${KEYWEAVE_TEST_HOME}"
    "XDG_CONFIG_HOME=${KEYWEAVE_TEST_HOME}/config"
    "XDG_DATA_HOME=${KEYWEAVE_TEST_HOME}/data"
    "XDG_RUNTIME_DIR=${KEYWEAVE_TEST_HOME}/run"
    "QT_QPA_PLATFORM=offscreen"
    "KEYWEAVE_BIN_DIR=${KEYWEAVE_OUTPUT_DIR}")

function(keyweave_target_defaults target)
    target_compile_options(${target} PRIVATE ${KEYWEAVE_WARNINGS})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

# keyweave_test(<target> SOURCES ... LIBS ...)
# A GoogleTest executable whose cases CTest lists one by one.
function(keyweave_test target)
    if(NOT KEYWEAVE_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    keyweave_target_defaults(${target})
    if(WIN32)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} keyweave_gtest_main GTest::gmock)
    else()
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    endif()
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    file(MAKE_DIRECTORY ${KEYWEAVE_TEST_HOME})
    gtest_discover_tests(${target}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 300)
    # The environment is a list, which the discovered tests' properties cannot
    # carry; it is set on them after discovery instead.
    set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
    file(WRITE ${env_file}
        "if(${target}_TESTS)\n"
        "  set_tests_properties(\${${target}_TESTS} PROPERTIES ENVIRONMENT \"${KEYWEAVE_TEST_ENV}\")\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()

# keyweave_core_library(<name> SOURCES ... [DEPENDS ...] [TESTS ...] [TEST_LIBS ...])
# One static library per core subsystem, so the link graph enforces the
# one-way dependencies between subsystems.
function(keyweave_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;TESTS;TEST_LIBS" ${ARGN})
    set(lib keyweave_core_${name})
    add_library(${lib} STATIC ${ARG_SOURCES})
    keyweave_target_defaults(${lib})
    target_link_libraries(${lib} PUBLIC ${ARG_DEPENDS})
    set_property(GLOBAL APPEND PROPERTY KEYWEAVE_CORE_LIBRARIES ${lib})
    if(ARG_TESTS)
        keyweave_test(${lib}_tests SOURCES ${ARG_TESTS} LIBS ${lib} ${ARG_TEST_LIBS})
    endif()
endfunction()

# keyweave_benchmark(<target> SOURCES ... LIBS ...)
function(keyweave_benchmark target)
    if(NOT KEYWEAVE_BUILD_BENCHMARKS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    keyweave_target_defaults(${target})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# keyweave_fuzzer(<target> SOURCES ... LIBS ...)
function(keyweave_fuzzer target)
    if(NOT KEYWEAVE_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    keyweave_target_defaults(${target})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()

# keyweave_xvfb_test(<name> <script>)
# A test of the real programs under Xvfb, driven with xdotool; the script gets
# the folder of the built programs. Left out (with a note) without the tools.
function(keyweave_xvfb_test name script)
    if(NOT KEYWEAVE_BUILD_TESTS)
        return()
    endif()
    find_program(KEYWEAVE_XVFB Xvfb)
    find_program(KEYWEAVE_XDOTOOL xdotool)
    if(NOT KEYWEAVE_XVFB OR NOT KEYWEAVE_XDOTOOL)
        message(STATUS "Xvfb or xdotool missing: ${name} is left out")
        return()
    endif()
    add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${KEYWEAVE_OUTPUT_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 180)
endfunction()
