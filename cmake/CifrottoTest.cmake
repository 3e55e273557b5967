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

# Parsing Qt's headers is most of compiling a test: the headers every unit on Qt Widgets reads
# are precompiled once, by a target of their own, and reused by every such test, benchmark
# and test library. Qt Test's own headers stay out: Qt Test defines the folder of each test,
# and GCC uses a precompiled header only with the definitions it was made with; the headers
# Qt Test reads from Qt Core, Gui and Widgets are in.
set(unit ${CMAKE_BINARY_DIR}/cifrotto_widget_headers.cpp)
file(CONFIGURE OUTPUT ${unit} CONTENT "// The unit that precompiles the tests' Qt headers.\n")
add_library(cifrotto_widget_headers OBJECT ${unit})
set_target_properties(cifrotto_widget_headers PROPERTIES AUTOMOC OFF)
target_link_libraries(cifrotto_widget_headers PRIVATE Qt6::Widgets)
target_precompile_headers(cifrotto_widget_headers PRIVATE
    <QAbstractButton> <QApplication> <QLabel> <QPushButton> <QRadioButton> <QSizePolicy>
    <QImage> <QPainter> <QPixmap> <QIcon> <QScreen> <QWindow> <QPointingDevice> <QVector4D>
    <QtCore/qtestsupport_core.h> <QtGui/qtestsupport_gui.h> <QtWidgets/qtestsupport_widgets.h>
    <QDebug> <QDir> <QMetaEnum> <QPointer> <QRegularExpression> <QTemporaryDir> <QThread>
    <QCborMap> <QCborArray> <QBitArray> <QUuid> <QDateTime>
    <array> <functional> <map> <memory> <optional> <set> <vector>)

# The unit that moc's output is gathered in is left out: for most targets it is empty, and
# loading the precompiled header would be most of its cost.
function(cifrotto_widget_headers target)
    target_precompile_headers(${target} REUSE_FROM cifrotto_widget_headers)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

function(cifrotto_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    if(T_LIBS MATCHES "cifrotto_test_(gui|play)")
        cifrotto_widget_headers(${name})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    cifrotto_test_environment(environment offscreen)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
