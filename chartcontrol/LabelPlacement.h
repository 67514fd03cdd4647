#pragma once
// Entry points through which the line-chart library places labels, and
// through which a geometry object's GUID is stored on the active object.
// Host errors propagate (CHostException) except where told.

#include <string>

class CHostApplication;

// Keyframes the node's position (channels 0, 1, 2) and Y rotation (4) at the
// canvas's current frame; nothing for a name no node carries.
void LocateLabel(CHostApplication& application, const std::wstring& name, double x, double y, double z,
                 double rotationY);
// The same for the node "<active object>.<suffix>".
void LocateInfoLabel(CHostApplication& application, const std::wstring& suffix, double x, double y, double z,
                     double rotationY);

// Sets `property` ("TrellanGUID" or "VantreGUID") of the active scene's
// active object, only when the object already carries it as a string.
void StoreGuidOnActiveObject(CHostApplication& application, const wchar_t* property, const std::wstring& guid);
