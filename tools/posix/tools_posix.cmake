# The POSIX build: the reference document-store server, serve and demo, and zarnrel.

add_library(zarn_docstore_server STATIC
    docstore_server/basic_credentials.cpp
    docstore_server/catalogue_fixture.cpp
    docstore_server/connection_stream.cpp
    docstore_server/connection_threads.cpp
    docstore_server/document_archive.cpp
    docstore_server/document_check.cpp
    docstore_server/multipart_parser.cpp
    docstore_server/docstore_server.cpp
    docstore_server/kept_connection_server.cpp
    docstore_server/server_replies.cpp
)
target_link_libraries(zarn_docstore_server PUBLIC zarn_tools_json zarn_common PRIVATE zarn_tools_text PkgConfig::HTTPLIB)

# The files of examples/, compiled in for the demo and the server's default catalogue.
file(GLOB_RECURSE zarn_example_files CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/examples
    ${CMAKE_SOURCE_DIR}/examples/*)
list(SORT zarn_example_files)
list(TRANSFORM zarn_example_files PREPEND ${CMAKE_SOURCE_DIR}/examples/
    OUTPUT_VARIABLE zarn_example_paths)
list(JOIN zarn_example_files "|" zarn_example_list)
set(zarn_bundled_source ${CMAKE_CURRENT_BINARY_DIR}/bundled_examples_data.cpp)
add_custom_command(OUTPUT ${zarn_bundled_source}
    COMMAND ${CMAKE_COMMAND} -DBASE=${CMAKE_SOURCE_DIR}/examples -DFILES=${zarn_example_list}
        -DOUTPUT=${zarn_bundled_source} -P ${CMAKE_CURRENT_SOURCE_DIR}/embed_files.cmake
    DEPENDS ${zarn_example_paths} ${CMAKE_CURRENT_SOURCE_DIR}/embed_files.cmake
    COMMENT "Bundling examples/"
    VERBATIM)

# serve and demo, which run the reference server, over the POSIX seams.
target_sources(zarn_tools PRIVATE
    cli/bundled_examples.cpp
    cli/demo_command.cpp
    cli/serve_command.cpp
    cli/server_options.cpp
    posix/command_list_posix.cpp
    posix/environment_posix.cpp
    ${zarn_bundled_source}
)
target_link_libraries(zarn_tools PUBLIC zarn_docstore_server zarn_posix_transport zarn_posix_common)

add_executable(zarnrel posix/main_posix.cpp)
target_link_libraries(zarnrel PRIVATE zarn_tools)
