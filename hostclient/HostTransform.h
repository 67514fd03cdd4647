#pragma once
// Parts of a node: its transform for one transition and its group object.

#include <memory>
#include <string>

#include "hostclient/HostObject.h"

class CHostKeyFrames;

class CHostTransform : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostKeyFrames> KeyFrames();

private:
    enum Name { KeyFrames_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};

class CHostGroup : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    // Moves the scene node of that name into the group.
    void AddNode(const std::wstring& nodeName);

private:
    enum Name { AddNode_, NameCount };
    static const wchar_t* const s_names[NameCount];
    DISPID m_ids[NameCount] = {};
};
