#pragma once
// The simulated host's scene model. Every object is one of our dispatch
// objects; the host keeps the only reference of its own on each for its whole
// life, so the plain pointers between them stay valid while the host lives
// and every further reference is one that a client holds.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "testing/simhost/SimDispatch.h"

class CSimCanvas;
class CSimElement;
class CSimFrameBuffer;
class CSimNode;
class CSimScene;

// Host codes of this simulation (the real host's codes are its own).
enum SimNodeType : long {
    SimNodeGroup = 0,
    SimNodeGlobalLight = 5,
    SimNodeText3D = 24,
    SimNodeMovie = 27,
    SimNodeGeoPlugin = 32,
    SimNodeObject = 40,
};
enum SimElementType : long { SimElementText = 1, SimElementImage = 2, SimElementMovie = 3, SimElementTemplate = 4 };

// The object type name under which custom properties are declared.
std::wstring SimObjectTypeName(long nodeType);

class CSimKeyFrame : public CSimObject {
public:
    explicit CSimKeyFrame(CSimHost& host);
    static const CSimClass& Type();
    long frame = 0;
    long attribute = 0;
    double value = 0.0;
    long interpolation = 0;
};

class CSimKeyFrames : public CSimObject {
public:
    explicit CSimKeyFrames(CSimHost& host);
    static const CSimClass& Type();
    // A keyframe at the same frame on the same attribute is replaced.
    void Add(long frame, long attribute, double value, long interpolation);
    std::vector<CSimKeyFrame*> frames;
};

class CSimTransform : public CSimObject {
public:
    explicit CSimTransform(CSimHost& host);
    static const CSimClass& Type();
    CSimKeyFrames* keyFrames = nullptr;
};

class CSimFont : public CSimObject {
public:
    explicit CSimFont(CSimHost& host);
    static const CSimClass& Type();
    std::wstring name = L"Arial";
    long color = 0xFFFFFF;
};

class CSimText : public CSimObject {
public:
    explicit CSimText(CSimHost& host);
    static const CSimClass& Type();
    std::wstring text;
    CSimFont* font = nullptr;
};

class CSimImage : public CSimObject {
public:
    explicit CSimImage(CSimHost& host);
    static const CSimClass& Type();
    std::wstring source;
    bool usePBuffer = false;
    std::vector<std::wstring> saves; // "path|options" per Save
    bool saveFails = false;          // Save writes nothing and answers false
};

// What Save writes: a header naming the source and the options, then every
// byte value once, so a transfer that alters bytes shows.
std::string SimImageBytes(const CSimImage& image, const std::wstring& options);

class CSimElement : public CSimObject {
public:
    explicit CSimElement(CSimHost& host);
    static const CSimClass& Type();
    std::wstring name;
    long type = SimElementText;
    std::wstring filename;
    long justificationX = 0;
    long justificationY = 0;
    CSimText* text = nullptr;   // text and template elements
    CSimImage* image = nullptr; // image elements
};

class CSimPropertyGroup : public CSimObject {
public:
    CSimPropertyGroup(CSimHost& host, CSimNode& node, std::wstring group);
    static const CSimClass& Type();
    CSimNode& node;
    std::wstring group;
};

// The collection of a node's declared custom properties of one group, as the
// host hands it to a property editor, and one property of it.
class CSimProperties : public CSimObject {
public:
    CSimProperties(CSimHost& host, CSimNode& node, std::wstring group);
    static const CSimClass& Type();
    CSimNode& node;
    std::wstring group;
};

class CSimProperty : public CSimObject {
public:
    CSimProperty(CSimHost& host, CSimNode& node, std::wstring group, std::wstring name);
    static const CSimClass& Type();
    CSimNode& node;
    std::wstring group;
    std::wstring name;
};

class CSimGroup : public CSimObject {
public:
    CSimGroup(CSimHost& host, CSimNode& node);
    static const CSimClass& Type();
    CSimNode& node;
};

class CSimNode : public CSimObject {
public:
    explicit CSimNode(CSimHost& host);
    static const CSimClass& Type();

    // The transform of a transition ("" for a scene without transitions), made on first use.
    CSimTransform& TransformOf(const std::wstring& transition);
    CSimPropertyGroup& PropertyGroup(const std::wstring& group);
    CSimProperties& PropertyCollection(const std::wstring& group);
    CSimProperty& PropertyObject(const std::wstring& group, const std::wstring& name);
    CSimGroup& GroupObject();
    // A deep copy that belongs to no scene yet.
    CSimNode& Clone() const;
    // The node and its descendants, depth first, that bear `name`.
    CSimNode* Find(const std::wstring& nodeName);
    bool IsAncestorOf(const CSimNode* other) const;

    std::wstring name;
    long type = SimNodeObject;
    std::wstring objectType; // empty: SimObjectTypeName(type)
    bool visible = true;
    CSimScene* scene = nullptr;
    CSimNode* parent = nullptr;
    std::vector<CSimNode*> children;
    std::vector<CSimElement*> elements;
    // Custom property values: group -> name -> value.
    std::map<std::wstring, std::map<std::wstring, CSimValue>> properties;
    std::map<std::wstring, CSimTransform*> transforms;
    // The parameters a geometry plug-in object of this node starts with,
    // over the plug-in's defaults.
    std::map<long, double> geometryParams;

    std::wstring ObjectType() const { return objectType.empty() ? SimObjectTypeName(type) : objectType; }

private:
    std::map<std::wstring, CSimPropertyGroup*> m_groups;
    std::map<std::wstring, CSimProperties*> m_collections;
    std::map<std::pair<std::wstring, std::wstring>, CSimProperty*> m_propertyObjects;
    CSimGroup* m_group = nullptr;
};

class CSimTransition : public CSimObject {
public:
    CSimTransition(CSimHost& host, CSimScene& scene);
    static const CSimClass& Type();
    CSimScene& scene;
    std::wstring name;
};

class CSimScene : public CSimObject {
public:
    explicit CSimScene(CSimHost& host);
    static const CSimClass& Type();

    CSimNode* Find(const std::wstring& nodeName);
    CSimTransition* Transition(const std::wstring& transitionName);
    CSimElement* Template(const std::wstring& templateName);
    // Takes the node out of its parent or the top level.
    void Unlink(CSimNode& node);
    void AdoptTree(CSimNode& node);

    std::wstring name;
    CSimFrameBuffer* frameBuffer = nullptr;
    std::vector<CSimNode*> nodes;
    std::vector<CSimTransition*> transitions;
    std::wstring activeTransition;
    std::vector<CSimElement*> templates;
    CSimElement* background = nullptr;
    long animationLength = 100;
    std::vector<CSimNode*> selection;
    CSimNode* activeObject = nullptr;
    std::vector<std::wstring> plays; // "first,second" per Play
};

class CSimFrameBuffer : public CSimObject {
public:
    explicit CSimFrameBuffer(CSimHost& host);
    static const CSimClass& Type();
    std::vector<CSimScene*> scenes;
    CSimScene* focus = nullptr;
    long boardNumber = 0;
};

class CSimSelection : public CSimObject {
public:
    CSimSelection(CSimHost& host, CSimCanvas& canvas);
    static const CSimClass& Type();
    CSimCanvas& canvas;
};

class CSimCanvas : public CSimObject {
public:
    explicit CSimCanvas(CSimHost& host);
    static const CSimClass& Type();
    // The focused scene of the canvas's frame buffer.
    CSimScene* Scene() const;
    long frameBufferIndex = 0;
    long frame = 0;
    long updates = 0;
    // Runs in every Update: what the host's drawing of the frame sets off.
    std::function<void(CSimCanvas&)> onUpdate;
    std::wstring currentMessage;
    CSimSelection* selection = nullptr;
};

class CSimVersion : public CSimObject {
public:
    explicit CSimVersion(CSimHost& host);
    static const CSimClass& Type();
    long major = 5;
    long minor = 2;
    long build = 1500;
};

class CSimApplication : public CSimObject {
public:
    explicit CSimApplication(CSimHost& host);
    static const CSimClass& Type();
};
