#pragma once
// A keyframe list and one keyframe of it.

#include <memory>

#include "hostclient/HostObject.h"

class CHostKeyFrame;

class CHostKeyFrames : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    long GetCount();
    std::unique_ptr<CHostKeyFrame> KeyFrame(long index);
    void DeleteTrack(long attribute);
    // `extra` goes as a VARIANT of VT_I4.
    void Add(long frame, long attribute, double value, long extra);
    // The value as the caller made it, e.g. a VT_R8 whose bits must reach
    // the host as they are (a GUID half), never passing through a double.
    void Add(long frame, long attribute, const VARIANT& value, long extra);

private:
    enum Name { Count, KeyFrame_, Delete, DeleteTrack_, Add_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};

class CHostKeyFrame : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    long GetAttribute();
    double GetValue();
    long GetInterpolation();
    long GetFrame();

private:
    enum Name { Attribute, Value, Interpolation, Frame, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
