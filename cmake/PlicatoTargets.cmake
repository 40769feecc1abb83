# Helpers that give every target of ours the same warnings, and keep Qt out of core targets.

set(PLICATO_WARNINGS -Wall -Wextra -Werror)

# plicato_core_library(name SOURCES ... DEPS ...): a library that must never see Qt.
function(plicato_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${PLICATO_WARNINGS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    foreach(dep IN LISTS ARG_DEPS)
        if(dep MATCHES "^Qt")
            message(FATAL_ERROR "core library ${name} must not link ${dep}")
        endif()
    endforeach()
    set_target_properties(${name} PROPERTIES PLICATO_QT_FREE ON)
endfunction()

# plicato_test(name SOURCES ... DEPS ...): a GoogleTest executable registered with ctest.
function(plicato_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENV;LABELS" ${ARGN})
    find_package(GTest REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${PLICATO_WARNINGS})
    target_compile_definitions(${name} PRIVATE
        PLICATO_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
    # fontconfig keeps what it parsed until the process ends; every test that reaches it
    # (text shapes, the example generator) would otherwise fail under LeakSanitizer.
    set(env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp" ${ARG_ENV})
    list(FILTER env EXCLUDE REGEX "^$")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
endfunction()
