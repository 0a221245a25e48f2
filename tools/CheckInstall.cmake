# Installs the build into PREFIX and checks that everything a desktop needs is where it looks.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE result
                OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/draftwell bin/formconv bin/formshot share/applications/draftwell.desktop
             share/icons/hicolor/48x48/apps/draftwell.png)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
execute_process(COMMAND ${PREFIX}/bin/draftwell --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^draftwell 1\\.0\\.0")
  message(FATAL_ERROR "draftwell --version answered \"${version}\" (${result})")
endif()
file(REMOVE_RECURSE ${PREFIX})
