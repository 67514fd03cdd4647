#pragma once
// Every host wrapper, complete.

#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostFurtherObjects.h"
#include "hostclient/HostImage.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostProperties.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostSelection.h"
#include "hostclient/HostText.h"
#include "hostclient/HostTransform.h"
#include "hostclient/HostTransition.h"
#include "hostclient/HostVersion.h"
