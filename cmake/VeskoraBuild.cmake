# Compiler settings shared by every target of the project.

if(VESKORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Warnings are chosen by compiler, not by platform; our own targets call this.
function(veskora_warnings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                 -Wsign-conversion -Wnon-virtual-dtor)
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    endif()
endfunction()

# Windows programs carry their C and C++ runtimes inside, so that they need only
# the system's own DLLs.
if(WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()
