# zarnrel.exe: catalogue and release over the Win32 seams and MSXML 6.0, as the DLL sends them;
# setup runs zarnRel.dll's setup script, whose interface the module's IDL describes.
target_sources(zarn_tools PRIVATE
    cli/setup_record_file.cpp
    win32/command_list_win32.cpp
    win32/environment_win32.cpp
    win32/setup_command.cpp
    win32/setup_module.cpp
)
target_link_libraries(zarn_tools PUBLIC zarn_win32_transport zarn_win32_common
    zarn_host_sim_dispatch)
add_dependencies(zarn_tools zarn_idl)
target_include_directories(zarn_tools PRIVATE ${CMAKE_BINARY_DIR}/module)

add_executable(zarnrel
    win32/main_win32.cpp
    win32/utf8_console_buffer.cpp
    win32/utf8_console_stream.cpp
    win32/zarnrel.rc
)
set_source_files_properties(win32/zarnrel.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/strings.inc;${CMAKE_SOURCE_DIR}/resources/strings.rc;${CMAKE_SOURCE_DIR}/resources/version.rc")
target_compile_definitions(zarnrel PRIVATE $<$<COMPILE_LANGUAGE:RC>:${ZARN_VERSION_DEFINITIONS}>)
# wmain, which receives the arguments as UTF-16.
target_link_options(zarnrel PRIVATE -municode)
target_link_libraries(zarnrel PRIVATE zarn_tools)
