#include "testing/simhost/SimModel.h"

#include <algorithm>

#include "testing/simhost/SimHost.h"

std::wstring SimObjectTypeName(long nodeType)
{
    switch (nodeType) {
    case SimNodeGroup: return L"LyricGroup";
    case SimNodeGlobalLight: return L"LyricGlobalLight";
    case SimNodeText3D: return L"Lyric3DText";
    case SimNodeMovie: return L"LyricMovie";
    case SimNodeGeoPlugin: return L"LyricGeoPlugin";
    default: return L"LyricObject";
    }
}

CSimKeyFrame::CSimKeyFrame(CSimHost& host) : CSimObject(host, Type()) {}

CSimKeyFrames::CSimKeyFrames(CSimHost& host) : CSimObject(host, Type()) {}

void CSimKeyFrames::Add(long frame, long attribute, double value, long interpolation)
{
    for (CSimKeyFrame* existing : frames)
        if (existing->frame == frame && existing->attribute == attribute) {
            existing->value = value;
            existing->interpolation = interpolation;
            return;
        }
    CSimKeyFrame& added = Host()->Create<CSimKeyFrame>();
    added.frame = frame;
    added.attribute = attribute;
    added.value = value;
    added.interpolation = interpolation;
    // Kept in frame order, as a timeline shows them.
    auto place = std::upper_bound(frames.begin(), frames.end(), frame,
                                  [](long f, const CSimKeyFrame* k) { return f < k->frame; });
    frames.insert(place, &added);
}

CSimTransform::CSimTransform(CSimHost& host) : CSimObject(host, Type()), keyFrames(&host.Create<CSimKeyFrames>()) {}

CSimFont::CSimFont(CSimHost& host) : CSimObject(host, Type()) {}

CSimText::CSimText(CSimHost& host) : CSimObject(host, Type()), font(&host.Create<CSimFont>()) {}

CSimImage::CSimImage(CSimHost& host) : CSimObject(host, Type()) {}

CSimElement::CSimElement(CSimHost& host) : CSimObject(host, Type()) {}

CSimPropertyGroup::CSimPropertyGroup(CSimHost& host, CSimNode& owner, std::wstring groupName)
    : CSimObject(host, Type()), node(owner), group(std::move(groupName))
{
}

CSimProperties::CSimProperties(CSimHost& host, CSimNode& owner, std::wstring groupName)
    : CSimObject(host, Type()), node(owner), group(std::move(groupName))
{
}

CSimProperty::CSimProperty(CSimHost& host, CSimNode& owner, std::wstring groupName, std::wstring propertyName)
    : CSimObject(host, Type()), node(owner), group(std::move(groupName)), name(std::move(propertyName))
{
}

CSimGroup::CSimGroup(CSimHost& host, CSimNode& owner) : CSimObject(host, Type()), node(owner) {}

CSimNode::CSimNode(CSimHost& host) : CSimObject(host, Type()) {}

CSimTransform& CSimNode::TransformOf(const std::wstring& transition)
{
    CSimTransform*& transform = transforms[transition];
    if (!transform)
        transform = &Host()->Create<CSimTransform>();
    return *transform;
}

CSimPropertyGroup& CSimNode::PropertyGroup(const std::wstring& group)
{
    CSimPropertyGroup*& object = m_groups[group];
    if (!object)
        object = &Host()->Create<CSimPropertyGroup>(*this, group);
    return *object;
}

CSimProperties& CSimNode::PropertyCollection(const std::wstring& group)
{
    CSimProperties*& object = m_collections[group];
    if (!object)
        object = &Host()->Create<CSimProperties>(*this, group);
    return *object;
}

CSimProperty& CSimNode::PropertyObject(const std::wstring& group, const std::wstring& propertyName)
{
    CSimProperty*& object = m_propertyObjects[{group, propertyName}];
    if (!object)
        object = &Host()->Create<CSimProperty>(*this, group, propertyName);
    return *object;
}

CSimGroup& CSimNode::GroupObject()
{
    if (!m_group)
        m_group = &Host()->Create<CSimGroup>(*this);
    return *m_group;
}

CSimNode& CSimNode::Clone() const
{
    CSimHost& host = *Host();
    CSimNode& copy = host.Create<CSimNode>();
    copy.name = name;
    copy.type = type;
    copy.objectType = objectType;
    copy.visible = visible;
    copy.properties = properties;
    for (const CSimElement* element : elements) {
        CSimElement& e = host.AddElement(copy, element->name, element->type,
                                         element->text    ? element->text->text
                                         : element->image ? element->image->source
                                                          : element->filename);
        e.justificationX = element->justificationX;
        e.justificationY = element->justificationY;
    }
    for (const auto& entry : transforms)
        for (const CSimKeyFrame* k : entry.second->keyFrames->frames)
            copy.TransformOf(entry.first).keyFrames->Add(k->frame, k->attribute, k->value, k->interpolation);
    for (const CSimNode* child : children) {
        CSimNode& childCopy = child->Clone();
        childCopy.parent = &copy;
        copy.children.push_back(&childCopy);
    }
    return copy;
}

CSimNode* CSimNode::Find(const std::wstring& nodeName)
{
    if (name == nodeName)
        return this;
    for (CSimNode* child : children)
        if (CSimNode* found = child->Find(nodeName))
            return found;
    return nullptr;
}

bool CSimNode::IsAncestorOf(const CSimNode* other) const
{
    for (const CSimNode* n = other; n; n = n->parent)
        if (n == this)
            return true;
    return false;
}

CSimTransition::CSimTransition(CSimHost& host, CSimScene& owner) : CSimObject(host, Type()), scene(owner) {}

CSimScene::CSimScene(CSimHost& host) : CSimObject(host, Type()) {}

CSimNode* CSimScene::Find(const std::wstring& nodeName)
{
    for (CSimNode* node : nodes)
        if (CSimNode* found = node->Find(nodeName))
            return found;
    return nullptr;
}

CSimTransition* CSimScene::Transition(const std::wstring& transitionName)
{
    for (CSimTransition* t : transitions)
        if (t->name == transitionName)
            return t;
    return nullptr;
}

CSimElement* CSimScene::Template(const std::wstring& templateName)
{
    for (CSimElement* t : templates)
        if (t->name == templateName)
            return t;
    return nullptr;
}

void CSimScene::Unlink(CSimNode& node)
{
    std::vector<CSimNode*>& siblings = node.parent ? node.parent->children : nodes;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &node), siblings.end());
    node.parent = nullptr;
}

void CSimScene::AdoptTree(CSimNode& node)
{
    node.scene = this;
    for (CSimNode* child : node.children)
        AdoptTree(*child);
}

CSimFrameBuffer::CSimFrameBuffer(CSimHost& host) : CSimObject(host, Type()) {}

CSimSelection::CSimSelection(CSimHost& host, CSimCanvas& owner) : CSimObject(host, Type()), canvas(owner) {}

CSimCanvas::CSimCanvas(CSimHost& host) : CSimObject(host, Type()), selection(&host.Create<CSimSelection>(*this)) {}

CSimScene* CSimCanvas::Scene() const
{
    CSimHost* host = Host();
    if (!host || frameBufferIndex < 0 || static_cast<size_t>(frameBufferIndex) >= host->FrameBuffers().size())
        return nullptr;
    return host->FrameBuffers()[frameBufferIndex]->focus;
}

CSimVersion::CSimVersion(CSimHost& host) : CSimObject(host, Type()) {}

CSimApplication::CSimApplication(CSimHost& host) : CSimObject(host, Type()) {}
