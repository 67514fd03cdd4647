#include "geometry/ObjectGuid.h"

#include <cstring>

void WriteGuidParams(IGeoObject& object, const GUID& guid)
{
    double halves[2];
    static_assert(sizeof halves == sizeof(GUID), "two halves");
    memcpy(halves, &guid, sizeof halves);
    object.SetParam(kGuidFirstHalfId, halves[0]);
    object.SetParam(kGuidSecondHalfId, halves[1]);
}

GUID ReadGuidParams(IGeoObject& object)
{
    const double halves[2] = {object.GetParam(kGuidFirstHalfId), object.GetParam(kGuidSecondHalfId)};
    GUID guid;
    memcpy(&guid, halves, sizeof guid);
    return guid;
}
