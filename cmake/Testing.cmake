# olv_add_test(<source> LIBS <libs...>): one test executable per source file,
# registered with CTest. Widget tests run on the offscreen platform.
find_package(GTest REQUIRED)

function(olv_add_test source)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE olv_settings ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OLV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
        TIMEOUT 600)
endfunction()

# Every *Test.cpp of a folder becomes its own test executable.
function(olv_add_tests_in folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${folder}/*Test.cpp")
    foreach(source ${sources})
        olv_add_test(${source} LIBS ${ARG_LIBS})
    endforeach()
endfunction()

# olv_add_qt_test(<source> LIBS <libs...>): a Qt Test executable (its own QTEST_MAIN).
function(olv_add_qt_test source)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE olv_settings ${ARG_LIBS} Qt6::Test Qt6::Widgets)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OLV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
        TIMEOUT 600)
endfunction()

# Every *Test.cpp of a folder that uses Qt Test.
function(olv_add_qt_tests_in folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${folder}/*Test.cpp")
    foreach(source ${sources})
        olv_add_qt_test(${source} LIBS ${ARG_LIBS})
    endforeach()
endfunction()
