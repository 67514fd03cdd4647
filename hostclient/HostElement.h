#pragma once
// An element of a node: a text, image, movie or template.

#include <memory>
#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

class CHostImage;
class CHostText;

class CHostElement : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::wstring GetName();
    void SetName(const std::wstring& name);
    std::unique_ptr<CHostText> GetText();
    std::unique_ptr<CHostImage> GetImage();
    // Nothing happens when the host's element lacks the member.
    void SetJustificationX(long justification);
    void SetJustificationY(long justification);

private:
    // "Image" is resolved twice: the getter uses the first cell, the setter the second.
    static DISPID s_ids[ElementNames::Count];
    static bool s_resolved;
};
