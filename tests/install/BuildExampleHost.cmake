# Installs the project into an empty prefix, builds examples/host against the installed package alone
# and runs it. Called with -DBUILD=<build tree> -DSOURCE=<source tree> -DWORK=<scratch folder>.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}):\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(installed bin/pelmark lib/pelmark/pelmark-widgets.so lib/pelmark/pelmark-qtcore.so lib/pelmark/pelmark-formats.so lib/libPelmark.so
        include/Pelmark/Veltora.h lib/cmake/Pelmark/PelmarkConfig.cmake lib/qt6/plugins/designer/libpelmark_designer.so)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

# Only the prefix may be found: the host must not reach into the source or build tree.
run(${CMAKE_COMMAND} -S ${SOURCE}/examples/host -B ${WORK}/build -G Ninja -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${WORK}/build)
file(READ ${WORK}/build/pelmark-example-host_autogen/include/ui_HostWindow.h form)
if(NOT form MATCHES "#include <Pelmark/Veltora.h>")
  message(FATAL_ERROR "the form does not include <Pelmark/Veltora.h>")
endif()

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
run(${WORK}/build/pelmark-example-host --check)
if(NOT output STREQUAL "Anzahl 7 announced 1 PhotoCount 0 FileExist 0\n")
  message(FATAL_ERROR "unexpected answer from the example host: ${output}")
endif()

# The installed `pelmark` finds the widgets module, for `sample`, for `--widgets` and for the headless
# console's pictures, and QtCore's services (a German locale's decimal comma comes from them).
run(${prefix}/bin/pelmark sample ${WORK}/sample)
file(WRITE ${WORK}/picture.in "LoadPictures \"${WORK}/sample/P1010001.JPG\"\n:get FNrTxt\n:get Bild picture\n")
foreach(mode "" --widgets)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=de_DE.UTF-8
                          ${prefix}/bin/pelmark console --settings ${WORK}/settings ${mode}
                  INPUT_FILE ${WORK}/picture.in OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT output MATCHES "\n{\"value\": \"2,8\"}\n{\"value\": true}\n$" OR errors MATCHES "pelmark:")
    message(FATAL_ERROR "the installed console ${mode} fails:\n${output}${errors}")
  endif()
endforeach()
