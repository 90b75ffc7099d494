# Settings every target of the project shares: link olv_settings and nothing else.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_library(olv_settings INTERFACE)
target_compile_features(olv_settings INTERFACE cxx_std_20)
target_compile_options(olv_settings INTERFACE -Wall -Wextra)
target_compile_definitions(olv_settings INTERFACE _GLIBCXX_ASSERTIONS)
target_include_directories(olv_settings INTERFACE "${PROJECT_SOURCE_DIR}")

if(OLV_WERROR)
    target_compile_options(olv_settings INTERFACE -Werror)
endif()

if(OLV_SANITIZE)
    target_compile_options(olv_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                  -fno-sanitize-recover=undefined)
    target_link_options(olv_settings INTERFACE -fsanitize=address,undefined)
endif()

# One static library per layer, built from every source file in its folder.
function(olv_add_layer_library name folder)
    file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC olv_settings ${ARGN})
    set_target_properties(${name} PROPERTIES LINKER_LANGUAGE CXX)
endfunction()
