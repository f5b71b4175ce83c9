# A recording xdg-open stand-in that tests put first on PATH (support/xdg_open_recorder.h), and a
# temporary home folder (support/temporary_home.h, header only).
add_library(tolvane_test_xdg_open STATIC ${CMAKE_CURRENT_LIST_DIR}/xdg_open_recorder.cpp)
target_include_directories(tolvane_test_xdg_open PUBLIC ${PROJECT_SOURCE_DIR}/tests)
