include(${CMAKE_CURRENT_LIST_DIR}/HeaderOnly.cmake)
qalix_header_only_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
