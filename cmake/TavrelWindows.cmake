# The Windows executable: Win32 shell, Win32 platform services and resources.
enable_language(RC)

add_library(tavrel_win STATIC
    platform/win/wide_text.cpp
    platform/win/launch.cpp
    platform/win/clock.cpp
    platform/win/information_box.cpp
)
target_link_libraries(tavrel_win PUBLIC tavrel_core)
target_compile_definitions(tavrel_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(Tavrel WIN32
    app/main.cpp
    app/program.cpp
    app/form.cpp
    app/form_window.cpp
    app/window_class.cpp
    app/controls.cpp
    app/label.cpp
    app/look.cpp
    app/main_window.cpp
    app/about_window.cpp
    app/tray.cpp
    app/keyboard.cpp
    app/schedule_port_win.cpp
    app/resources/tavrel.rc
)
target_link_libraries(Tavrel PRIVATE tavrel_win)
target_compile_definitions(Tavrel PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

if(MSVC)
    # The resource script carries the manifest; the linker must not add its own.
    target_link_options(Tavrel PRIVATE /MANIFEST:NO)
endif()
if(MINGW)
    # Small over fast: nothing in the program is speed-bound. Each function and
    # datum in its own section so the linker drops what is never called. The
    # program's code neither throws nor catches (a failed allocation ends the
    # process either way), so it carries no unwind tables; the C++ runtime
    # linked in keeps its own.
    set(TAVREL_SIZE_COMPILE_OPTIONS
        $<$<NOT:$<CONFIG:Debug>>:-Os>
        -ffunction-sections -fdata-sections
        -fno-exceptions -fno-asynchronous-unwind-tables)
    # One executable with no DLL of the toolchain beside it, stripped.
    set(TAVREL_PROGRAM_LINK_OPTIONS
        -municode -static -static-libgcc -static-libstdc++
        -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
    foreach(target tavrel_core tavrel_win Tavrel)
        target_compile_options(${target} PRIVATE ${TAVREL_SIZE_COMPILE_OPTIONS})
    endforeach()
    target_link_options(Tavrel PRIVATE ${TAVREL_PROGRAM_LINK_OPTIONS})
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
endif()
set_source_files_properties(app/resources/tavrel.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/app/resources/tavrel.ico;${CMAKE_CURRENT_SOURCE_DIR}/app/resources/tavrel.manifest")
target_link_libraries(Tavrel PRIVATE comctl32 shell32 user32 gdi32)

# Gives another windowed program of the project (the benchmark's floor) the
# compile and link options of Tavrel.exe.
function(tavrel_build_like_tavrel target)
    if(MINGW)
        target_compile_options(${target} PRIVATE ${TAVREL_SIZE_COMPILE_OPTIONS})
        target_link_options(${target} PRIVATE ${TAVREL_PROGRAM_LINK_OPTIONS})
    endif()
endfunction()

include(cmake/TavrelPackage.cmake)
