# add_each_subfolder(): adds every direct subfolder that has a CMakeLists.txt,
# so a new part of a folder takes part by bringing its own.
function(add_each_subfolder)
  file(GLOB parts LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(part IN LISTS parts)
    if(IS_DIRECTORY ${part} AND EXISTS ${part}/CMakeLists.txt)
      add_subdirectory(${part})
    endif()
  endforeach()
endfunction()
