#include "hostclient/HostMemberNames.h"

#define HOST_NAME_TEXT(Name) L## #Name,
#define HOST_ALIAS_TEXT(Cell, Name) L## #Name,
#define HOST_NAMES_LIST(Tag) \
    const wchar_t* const Host##Tag##Names::list[NameCount] = {HOST_##Tag##_NAMES(HOST_NAME_TEXT, HOST_ALIAS_TEXT)};
HOST_CLASSES(HOST_NAMES_LIST)
