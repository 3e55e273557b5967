# One QtTest executable per unit; every test runs on the offscreen platform so that
# nobody needs a display to run the suite.
function(cifrotto_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set(environment QT_QPA_PLATFORM=offscreen)
    if(CIFROTTO_SANITIZE)
        list(APPEND environment
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
            LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitize/lsan.supp:print_suppressions=0
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
