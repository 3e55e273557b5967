# How the tests are built and started. One QtTest executable per unit; most run on the
# offscreen platform, so that nobody needs a display to run the suite.

# cifrotto_add_test(NAME [PLATFORM P] [UNDER U] [CONFIG FOLDER] [ENVIRONMENT NAME=VALUE...]
#                   COMMAND...)
# The one way a test is started, so that each kind of test starts from one environment, written
# here and in the scripts named here. tests/support/test-env.sh gives every test a private home
# and nothing of the caller's environment (see there). PLATFORM is Qt's platform, offscreen or
# xcb; without it the program chooses, as on a player's desktop. UNDER names the servers the
# test runs under, each script within the one before it:
#   openbox  a private Xvfb display with openbox           tests/x11/with-openbox.sh
#   xvfb     the same display with no window manager       with-openbox.sh --no-openbox
#   atspi    openbox, a private session bus and AT-SPI bus  + tests/atspi/with-atspi-bus.sh
#   orca     atspi, and Orca with a private home            + tests/atspi/with-orca.sh
# CONFIG is a folder copied into the private configuration folder, as a player's settings.
# In the sanitizer tree every test is given the sanitizers' options.
function(cifrotto_add_test name)
    cmake_parse_arguments(T "" "PLATFORM;UNDER;CONFIG" "ENVIRONMENT;COMMAND" ${ARGN})
    set(tests ${PROJECT_SOURCE_DIR}/tests)
    set(settings)
    if(T_CONFIG)
        list(APPEND settings --config ${T_CONFIG})
    endif()
    if(T_PLATFORM)
        list(APPEND settings QT_QPA_PLATFORM=${T_PLATFORM})
    endif()
    if(CIFROTTO_SANITIZE)
        # Quoted: the sanitizers split their options at spaces, which a checkout's path may hold.
        list(APPEND settings
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
            "LSAN_OPTIONS=suppressions='${tests}/sanitize/lsan.supp':print_suppressions=0"
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
    endif()
    set(display ${tests}/x11/with-openbox.sh)
    set(buses dbus-run-session -- ${tests}/atspi/with-atspi-bus.sh)
    if(NOT T_UNDER)
        set(servers)
    elseif(T_UNDER STREQUAL "openbox")
        set(servers ${display})
    elseif(T_UNDER STREQUAL "xvfb")
        set(servers ${display} --no-openbox)
    elseif(T_UNDER STREQUAL "atspi")
        set(servers ${display} ${buses})
    elseif(T_UNDER STREQUAL "orca")
        set(servers ${display} ${buses} ${tests}/atspi/with-orca.sh)
    else()
        message(FATAL_ERROR "cifrotto_add_test(${name}): no servers called '${T_UNDER}'")
    endif()
    add_test(NAME ${name}
             COMMAND ${tests}/support/test-env.sh ${settings} ${T_ENVIRONMENT} -- ${servers}
                     ${T_COMMAND})
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

# cifrotto_test(NAME SOURCES... [LIBS...] [ENVIRONMENT NAME=VALUE...]): a QtTest executable and
# its test on the offscreen platform.
function(cifrotto_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    if(T_LIBS MATCHES "cifrotto_test_(gui|play)")
        cifrotto_widget_headers(${name})
    endif()
    cifrotto_add_test(${name} PLATFORM offscreen ENVIRONMENT ${T_ENVIRONMENT}
                      COMMAND $<TARGET_FILE:${name}>)
endfunction()
