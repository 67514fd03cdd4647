#pragma once
// A scene node (object, group, movie ...): its children, elements, custom
// properties, keyframes and transforms.

#include <memory>
#include <string>

#include "hostclient/HostMemberNames.h"
#include "hostclient/HostObject.h"

class CHostElement;
class CHostGroup;
class CHostKeyFrames;
class CHostPropertyGroup;
class CHostTransform;

class CHostNode : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::wstring GetName();
    void SetName(const std::wstring& name);
    // The host's node type code.
    long GetType();
    long GetChildCount();
    std::unique_ptr<CHostNode> GetChild(long index);
    long GetElementCount();
    std::unique_ptr<CHostElement> Element(long index);
    std::unique_ptr<CHostPropertyGroup> Properties(const std::wstring& groupName);
    std::unique_ptr<CHostKeyFrames> GetKeyFrames();
    std::unique_ptr<CHostTransform> GetTransform(const std::wstring& transformName);
    std::unique_ptr<CHostGroup> GetGroup();
    void SetVisible(bool visible);

private:
    static DISPID s_ids[NodeNames::Count];
    static bool s_resolved;
};
