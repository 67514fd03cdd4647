// The geometry module's process-wide objects.
#include "geometry/DataBarStore.h"
#include "geometry/HostVersion.h"
#include "geometry/ShapeWriteFlag.h"

std::atomic<bool> g_shapeWriteActive{false};
int g_hostVersion = 0;
CDataBarStore g_dataBarStore;
