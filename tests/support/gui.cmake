# GUI test helpers: include "support/gui_fixture.h" (the test QApplication, a scripted message
# box) and "support/gui_window.h" (the real main window for tests).
add_library(tolvane_test_gui STATIC ${CMAKE_CURRENT_LIST_DIR}/gui_fixture.cpp)
target_include_directories(tolvane_test_gui PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tolvane_test_gui PUBLIC tolvane_common Qt6::Widgets)
if(TARGET tolvane_app)
  add_library(tolvane_test_window STATIC ${CMAKE_CURRENT_LIST_DIR}/gui_window.cpp)
  target_link_libraries(tolvane_test_window PUBLIC tolvane_test_gui tolvane_app Qt6::Test)
endif()
