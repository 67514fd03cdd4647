#pragma once
// Further host objects that the wrappers' members answer with.

#include "hostclient/HostWrapper.h"

HOST_WRAPPER_CLASS(Rect)
HOST_WRAPPER_CLASS(Edge)
HOST_WRAPPER_CLASS(CharacterData)
HOST_WRAPPER_CLASS(Vertex)
HOST_WRAPPER_CLASS(LyricProperties)
HOST_WRAPPER_CLASS(Position)
HOST_WRAPPER_CLASS(Dimension)
HOST_WRAPPER_CLASS(Resolution)
HOST_WRAPPER_CLASS(StaticObject)
HOST_WRAPPER_CLASS(GL)
HOST_WRAPPER_CLASS(Namespace)
HOST_WRAPPER_CLASS(PropertyDef)
HOST_WRAPPER_CLASS(Playlist)
HOST_WRAPPER_CLASS(Plugin)
HOST_WRAPPER_CLASS(CustomList)
HOST_WRAPPER_CLASS(CustomItem)
