# Shared settings for every target of the project.

# A fuzz build instruments every library for coverage and sanitizers, not only the fuzz binaries:
# otherwise libFuzzer sees only the harness and mutates blind.
if(SELVIR_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(SELVIR_SANITIZE)
    # The whole suite under the sanitizers (.ci/run's second configuration). Every target, so a fault
    # in a library shows where it happens, not where a test notices; frame pointers for whole stacks.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    # After the build type's -O2 -g, so these win: half the compile time, and line tables still give
    # every report its files and lines.
    add_compile_options(-O1 -g1)
elseif(SELVIR_TSAN)
    # The tests that run work on several threads, under ThreadSanitizer (.ci/run builds only those).
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -O1 -g1)
    add_link_options(-fsanitize=thread)
endif()

# SELVIR_WERROR (on in CI) turns every warning into an error.
function(selvir_set_warnings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${SELVIR_WERROR}>:-Werror>)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            # GCC 12 at -O3 warns inside libstdc++'s `"text" + std::string&&` (GCC bug 105329): a false
            # -Wrestrict in every Release build, none of it in our code.
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
        if(SELVIR_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            # GCC 12 takes the states std::regex builds for uninitialized once the address sanitizer
            # instruments them (libstdc++'s code, not ours); the normal configuration still checks it.
            target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
        endif()
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${SELVIR_WERROR}>:/WX>)
    endif()
endfunction()

# selvir_add_library(name SOURCES ... LIBS ...)
function(selvir_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    selvir_set_warnings(${name})
endfunction()

# selvir_add_test(name SOURCES ... LIBS ... [GUI] [QT] [ONE_PROCESS]) - one gtest binary, cases registered
# with CTest. GUI tests run on the offscreen platform. QT tests get a main with a QCoreApplication, for
# Qt's timers, event loop and serial ports. ONE_PROCESS: the cases share one costly set-up (a live
# survey), so CTest runs the binary once instead of once per case.
function(selvir_add_test name)
    cmake_parse_arguments(ARG "GUI;QT;ONE_PROCESS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(ARG_QT)
        add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/QtTestMain.cpp)
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Core)
        set(ARG_GUI ON)
    else()
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(${name} PRIVATE
        SELVIR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        SELVIR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        SELVIR_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    selvir_set_warnings(${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(env "LC_ALL=C")
    if(ARG_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(ARG_ONE_PROCESS)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
    endif()
endfunction()

# selvir_add_bench(name SOURCES ... LIBS ...)
function(selvir_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/bench)
    target_compile_definitions(${name} PRIVATE SELVIR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    selvir_set_warnings(${name})
endfunction()

# selvir_add_fuzz(name LIBS ...) - fuzz/<name>.cpp defines LLVMFuzzerTestOneInput.
# With SELVIR_FUZZ (clang): a libFuzzer binary with address and undefined-behaviour sanitizers.
# Otherwise: <name>_replay, run by CTest over the seed corpus fuzz/corpus/<name>/.
function(selvir_add_fuzz name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    set(source ${CMAKE_SOURCE_DIR}/fuzz/${name}.cpp)
    if(SELVIR_FUZZ)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    elseif(SELVIR_BUILD_TESTS)
        set(name ${name}_replay)
        add_executable(${name} ${source} ${CMAKE_SOURCE_DIR}/fuzz/ReplayMain.cpp)
        add_test(NAME fuzz_corpus_${name} COMMAND ${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${ARGV0})
        set_tests_properties(fuzz_corpus_${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C;QT_QPA_PLATFORM=offscreen")
    else()
        return()
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/fuzz)
    selvir_set_warnings(${name})
endfunction()
