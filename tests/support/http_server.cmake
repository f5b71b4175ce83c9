# The loopback HTTP server that the fetching tests talk to: include "support/loopback_server.h".
find_package(Threads REQUIRED)
add_library(tolvane_test_http_server STATIC ${CMAKE_CURRENT_LIST_DIR}/loopback_server.cpp)
target_include_directories(tolvane_test_http_server PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tolvane_test_http_server PUBLIC Threads::Threads)
