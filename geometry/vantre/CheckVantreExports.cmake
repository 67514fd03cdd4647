# The ten exports, undecorated, exactly as the host finds them by name.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t[^\n]*\n)*" table "${dump}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" names "${table}")
list(TRANSFORM names REPLACE "^\t\\[ *[0-9]+\\] " "")
list(SORT names)
set(expected GetLibraryType GetObjectGUID GetObjectName GetParamDialog GetParamName GetThumbnail
             InitializeParamMap RecreateObject SetDataBarRedraw SetDataBarValue)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports of ${DLL}: ${names}\nexpected: ${expected}")
endif()
