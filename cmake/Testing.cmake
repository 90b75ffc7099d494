# One test executable per *Test.cpp, registered with CTest. Widget tests run on the offscreen
# platform. GoogleTest files get gtest_main; Qt Test files (QT) bring their own QTEST_MAIN.
find_package(GTest REQUIRED)

function(olv_add_test source)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE olv_settings ${ARG_LIBS})
    if(ARG_QT)
        target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    else()
        target_link_libraries(${name} PRIVATE GTest::gmock GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OLV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
        TIMEOUT 600)
endfunction()

# Every *Test.cpp of a folder.
function(olv_add_tests_in folder)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${folder}/*Test.cpp")
    set(qt_flag)
    if(ARG_QT)
        set(qt_flag QT)
    endif()
    foreach(source ${sources})
        olv_add_test(${source} ${qt_flag} LIBS ${ARG_LIBS})
    endforeach()
endfunction()

# Qt Test files of a folder.
function(olv_add_qt_tests_in folder)
    olv_add_tests_in(${folder} QT ${ARGN})
endfunction()
