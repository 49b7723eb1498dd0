# The widget on the offscreen platform.
tarkel_add_test(view_widget_tests ViewWidgetTest.cpp ${PROJECT_SOURCE_DIR}/tests/cli/CliRunner.cpp)
target_link_libraries(view_widget_tests PRIVATE tarkel_view_ui Qt6::Test)
target_include_directories(view_widget_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_compile_definitions(view_widget_tests PRIVATE TARKEL_CLI_PATH="$<TARGET_FILE:tarkel-cli>")
add_dependencies(view_widget_tests tarkel-cli)

# Not a test: a window to look at under a real X server (see tests/view/ViewShowcase.cpp).
add_executable(view_showcase ViewShowcase.cpp)
target_link_libraries(view_showcase PRIVATE tarkel_view_ui)

# The real drag and drop of the platform, under an X server of the test's own.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
if(XVFB_RUN AND XDOTOOL)
  add_test(NAME ViewDragUnderX
           COMMAND ${XVFB_RUN} -a -s "-screen 0 1300x700x24 -noreset" ${CMAKE_CURRENT_SOURCE_DIR}/DragUnderX.sh
                   $<TARGET_FILE:view_showcase>)
  set_tests_properties(ViewDragUnderX PROPERTIES TIMEOUT 60)
endif()
