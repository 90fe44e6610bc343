# The version of the host's headers, as their own package states it.
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
