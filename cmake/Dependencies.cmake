# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# zlib: Debian's mingw build, linked statically.
add_library(zlib_static STATIC IMPORTED GLOBAL)
set_target_properties(zlib_static PROPERTIES
  IMPORTED_LOCATION /usr/i686-w64-mingw32/lib/libz.a
  INTERFACE_INCLUDE_DIRECTORIES /usr/i686-w64-mingw32/include)

# Boost, header-only: an include folder that holds nothing but boost/, so the
# Linux system headers never reach the Windows build.
set(BOOST_INCLUDE_DIR ${CMAKE_BINARY_DIR}/deps/boost-include)
file(MAKE_DIRECTORY ${BOOST_INCLUDE_DIR})
if(NOT EXISTS ${BOOST_INCLUDE_DIR}/boost)
  file(CREATE_LINK /usr/include/boost ${BOOST_INCLUDE_DIR}/boost SYMBOLIC)
endif()
add_library(boost_headers INTERFACE)
target_include_directories(boost_headers SYSTEM INTERFACE ${BOOST_INCLUDE_DIR})

# widl compiles the type libraries of the script-visible objects.
find_program(WIDL_EXECUTABLE NAMES i686-w64-mingw32-widl widl REQUIRED)
set(WIDL_IDL_INCLUDE /usr/include/wine/wine/windows)
set(WIDL_TLB_LIBDIR /usr/lib/i386-linux-gnu/wine/i386-windows)

# add_type_library(<target> <idl> <tlb name>): builds <tlb name> next to the
# binaries from the IDL file.
function(add_type_library target idl tlb)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_BINARY_DIR}/bin/${tlb})
  add_custom_command(OUTPUT ${out}
    COMMAND ${WIDL_EXECUTABLE} --win32 -t -I ${WIDL_IDL_INCLUDE} -L ${WIDL_TLB_LIBDIR} -o ${out} ${idl_abs}
    DEPENDS ${idl_abs} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${out})
endfunction()

# embed_type_library(<target> <idl> <tlb name>): builds the type library in
# the target's binary folder and embeds it in the module as resource
# TYPELIB 1, where registration and the controls' type information read it.
function(embed_type_library target idl tlb)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}/${tlb})
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target})
  add_custom_command(OUTPUT ${out}
    COMMAND ${WIDL_EXECUTABLE} --win32 -t -I ${WIDL_IDL_INCLUDE} -L ${WIDL_TLB_LIBDIR} -o ${out} ${idl_abs}
    DEPENDS ${idl_abs} VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_typelib.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 TYPELIB \"${out}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${out})
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Reads the export tables of the built modules (see CheckExports.cmake).
find_program(MINGW_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
