# Without a window manager, Wine waits up to 2 s for one whenever a managed
# window is hidden. kv_unmanaged_windows(<test-target>...) registers, per
# program, that Wine manages its windows itself; the programs' tests then
# require the fixture.
function(kv_unmanaged_windows)
  foreach(target ${ARGN})
    set(name wine.unmanaged.${target})
    add_test(NAME ${name}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/support/unmanaged_windows.sh ${target}.exe)
    set_tests_properties(${name} PROPERTIES
      FIXTURES_REQUIRED wine FIXTURES_SETUP unmanaged.${target}
      ENVIRONMENT "KV_WINE_SESSION=${KV_WINE_SESSION};KV_WINE_RUN=${KV_WINE_RUN}")
    set_property(TEST ${target} APPEND PROPERTY FIXTURES_REQUIRED unmanaged.${target})
  endforeach()
endfunction()
