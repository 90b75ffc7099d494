# `cmake --build build --target format` formats every C++ file of the project.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXECUTABLE)
    file(GLOB_RECURSE olv_format_sources CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/platform/*.[ch]pp ${PROJECT_SOURCE_DIR}/platform/*.h
         ${PROJECT_SOURCE_DIR}/common/*.cpp ${PROJECT_SOURCE_DIR}/common/*.h
         ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h
         ${PROJECT_SOURCE_DIR}/client/*.cpp ${PROJECT_SOURCE_DIR}/client/*.h
         ${PROJECT_SOURCE_DIR}/admin/*.cpp ${PROJECT_SOURCE_DIR}/admin/*.h
         ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
         ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
         ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_EXECUTABLE} -i ${olv_format_sources}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Formatting the sources")
endif()
