# One QtTest executable per unit; every test runs on the offscreen platform so that
# nobody needs a display to run the suite.

# The environment of a test on the given Qt platform, with the sanitizers' options in the
# sanitizer build.
function(cifrotto_test_environment out platform)
    set(environment QT_QPA_PLATFORM=${platform})
    if(CIFROTTO_SANITIZE)
        list(APPEND environment
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
            LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitize/lsan.supp:print_suppressions=0
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
    endif()
    set(${out} "${environment}" PARENT_SCOPE)
endfunction()

function(cifrotto_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    cifrotto_test_environment(environment offscreen)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
