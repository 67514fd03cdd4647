#pragma once
// An image of an element or of the application.

#include <string>

#include "hostclient/HostObject.h"

class CHostImage : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    bool Save(const std::wstring& path, const std::wstring& options);
    // Nothing happens when the host's image lacks the member.
    void SetUsePBuffer(bool use);

private:
    enum Name {
        Save_, Load, Size, GetImageData, SetImageData, DecoderAvailable, Dimensions, FromRGBA, ToRGB, UsePBuffer,
        ElementImageData, RemovePreMultiply, NameCount
    };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
