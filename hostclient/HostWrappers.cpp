// The typed members of the wrappers that have nothing written by hand.
#include "hostclient/HostWrappers.h"

#define HOST_CLASS CHostCanvas
HOST_DEFINE_MEMBERS(Canvas)
#undef HOST_CLASS

#define HOST_CLASS CHostNode
HOST_DEFINE_MEMBERS(Node)
#undef HOST_CLASS

#define HOST_CLASS CHostElement
HOST_DEFINE_MEMBERS(Element)
#undef HOST_CLASS

#define HOST_CLASS CHostKeyFrame
HOST_DEFINE_MEMBERS(KeyFrame)
#undef HOST_CLASS

#define HOST_CLASS CHostTransform
HOST_DEFINE_MEMBERS(Transform)
#undef HOST_CLASS

#define HOST_CLASS CHostGroup
HOST_DEFINE_MEMBERS(Group)
#undef HOST_CLASS

#define HOST_CLASS CHostSelection
HOST_DEFINE_MEMBERS(Selection)
#undef HOST_CLASS

#define HOST_CLASS CHostTransition
HOST_DEFINE_MEMBERS(Transition)
#undef HOST_CLASS

#define HOST_CLASS CHostText
HOST_DEFINE_MEMBERS(Text)
#undef HOST_CLASS

#define HOST_CLASS CHostFont
HOST_DEFINE_MEMBERS(Font)
#undef HOST_CLASS

#define HOST_CLASS CHostImage
HOST_DEFINE_MEMBERS(Image)
#undef HOST_CLASS

#define HOST_CLASS CHostVersion
HOST_DEFINE_MEMBERS(Version)
#undef HOST_CLASS
