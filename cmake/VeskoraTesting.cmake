# GoogleTest comes from the distribution's source package, built with our own
# compiler so that the same tests build natively and for Windows.
set(VESKORA_GOOGLETEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VESKORA_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Paths that a test program reads at run time. A Windows test under Wine sees
# the Linux file system through drive Z:.
function(veskora_runtime_path out path)
    if(CMAKE_CROSSCOMPILING AND WIN32)
        set(${out} "Z:${path}" PARENT_SCOPE)
    else()
        set(${out} "${path}" PARENT_SCOPE)
    endif()
endfunction()

# veskora_add_test(NAME name SOURCES ... [LIBRARIES ...] [ARGS ...] [LABELS ...])
# One test program, registered with CTest as one test; under cross-compilation
# CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR.
function(veskora_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES;ARGS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gtest_main)
    veskora_warnings(${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
