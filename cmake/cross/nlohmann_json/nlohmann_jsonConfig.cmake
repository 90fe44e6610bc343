# The JSON library for a cross build. It is headers only, so the host's copy
# serves every target; but its own package names all of /usr/include, whose
# C library headers would then shadow the target's. This one names a folder
# that holds the library's headers and nothing else.
set(KEYWEAVE_HOST_JSON_HEADERS /usr/include/nlohmann)
if(NOT EXISTS ${KEYWEAVE_HOST_JSON_HEADERS}/json.hpp)
    set(nlohmann_json_FOUND FALSE)
    set(nlohmann_json_NOT_FOUND_MESSAGE "${KEYWEAVE_HOST_JSON_HEADERS}/json.hpp is missing")
    return()
endif()
if(NOT TARGET nlohmann_json::nlohmann_json)
    set(include_root ${CMAKE_BINARY_DIR}/host-json-include)
    file(MAKE_DIRECTORY ${include_root})
    file(CREATE_LINK ${KEYWEAVE_HOST_JSON_HEADERS} ${include_root}/nlohmann SYMBOLIC)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${include_root})
endif()
