#pragma once
// Each class's host member names (HostMemberTable.h) as HostTagNames: one
// enumerator per DISPID cell, in order, then NameCount, and `list`, the
// names the cells are looked up by. Element's second "Image" cell, which
// its image setter uses, is ImagePut.

#include "hostclient/HostMemberTable.h"

#define HOST_NAME_CELL(Name) Name,
#define HOST_ALIAS_CELL(Cell, Name) Cell,
#define HOST_NAMES_STRUCT(Tag)                                                \
    struct Host##Tag##Names {                                                       \
        enum { HOST_##Tag##_NAMES(HOST_NAME_CELL, HOST_ALIAS_CELL) NameCount }; \
        static const wchar_t* const list[NameCount];                          \
    };
HOST_CLASSES(HOST_NAMES_STRUCT)
#undef HOST_NAMES_STRUCT
#undef HOST_ALIAS_CELL
#undef HOST_NAME_CELL
