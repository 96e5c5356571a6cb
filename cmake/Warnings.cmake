# Every target of the project gets the same warnings; CI turns them into errors.
add_library(pelmark_warnings INTERFACE)
target_compile_options(pelmark_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                  -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual
                                                  -Wconversion -Wsign-conversion -Wimplicit-fallthrough)
if(PELMARK_WERROR)
  target_compile_options(pelmark_warnings INTERFACE -Werror)
endif()

if(PELMARK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# One library for each folder under src/: its sources are the folder's .cpp files. PUBLIC names the
# subsystems its headers include, PRIVATE those only its sources include, so the build graph is the
# include graph.
function(pelmark_subsystem name)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(pelmark_${name} STATIC ${sources})
  target_include_directories(pelmark_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  list(TRANSFORM ARG_PUBLIC PREPEND pelmark_)
  list(TRANSFORM ARG_PRIVATE PREPEND pelmark_)
  target_link_libraries(pelmark_${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE} pelmark_warnings)
endfunction()
