# kv_screenshots(<test-target> <name>...): a test that runs the program's
# Screenshot.* tests in a virtual desktop and leaves <name>.png files in
# <build>/screenshots. Screenshot runs take turns with the screen (lock kv_screen).
function(kv_screenshots target)
  add_test(NAME screenshots.${target}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/support/take_screenshots.sh $<TARGET_FILE:${target}>
            ${CMAKE_BINARY_DIR}/screenshots ${ARGN})
  set_tests_properties(screenshots.${target} PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT "KV_WINE_SESSION=${KV_WINE_SESSION}" TIMEOUT 120
    RESOURCE_LOCK kv_screen)
endfunction()
