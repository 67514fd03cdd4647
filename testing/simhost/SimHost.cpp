#include "testing/simhost/SimHost.h"

#include <algorithm>
#include <cwctype>

#include "testing/simhost/SimSceneFile.h"

CSimHost::CSimHost() : m_geometry(std::make_unique<CSimGeometry>(*this))
{
    m_application = &Create<CSimApplication>();
    m_version = &Create<CSimVersion>();
    m_canvases.push_back(&Create<CSimCanvas>());
    m_frameBuffers.push_back(&Create<CSimFrameBuffer>());
}

CSimHost::~CSimHost()
{
    // Controls first: they may still call the host while they go.
    CloseControls();
    for (RefPtr<CSimObject>& object : m_objects)
        object->Disconnect();
}

void CSimHost::CloseControls()
{
    for (SimFrameWindow& window : m_frameWindows)
        if (IsWindow(window.frame))
            DestroyWindow(window.frame);
    m_frameWindows.clear();
    m_controls.clear();
    m_menuItems.clear();
}

std::wstring CSimHost::Key(const std::wstring& className, const std::wstring& name)
{
    std::wstring key = className + L"." + name;
    std::transform(key.begin(), key.end(), key.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return key;
}

int CSimHost::LookupCount(const std::wstring& className, const std::wstring& name) const
{
    auto found = m_lookups.find(Key(className, name));
    return found == m_lookups.end() ? 0 : found->second;
}

int CSimHost::LookupCount(const std::wstring& className) const
{
    const std::wstring prefix = Key(className, L"");
    int total = 0;
    for (const auto& entry : m_lookups)
        if (entry.first.compare(0, prefix.size(), prefix) == 0)
            total += entry.second;
    return total;
}

int CSimHost::CallCount(const std::wstring& className, const std::wstring& member) const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(), [&](const SimCallRecord& call) {
        return call.className == className && call.member == member;
    }));
}

void CSimHost::ClearLog()
{
    m_lookups.clear();
    m_calls.clear();
    m_rejections.clear();
}

long CSimHost::OutsideReferences() const
{
    long total = 0;
    for (const RefPtr<CSimObject>& object : m_objects)
        total += object->RefCount() - 1;
    return total;
}

void CSimHost::RemoveMember(const std::wstring& className, const std::wstring& name)
{
    m_removed.insert(Key(className, name));
}

void CSimHost::InjectError(const std::wstring& className, const std::wstring& member, const std::wstring& text,
                           HRESULT code)
{
    m_errors[Key(className, member)] = SimInjectedError{text, code};
}

void CSimHost::RecordLookup(const std::wstring& className, const std::wstring& name)
{
    ++m_lookups[Key(className, name)];
}

bool CSimHost::IsRemoved(const std::wstring& className, const std::wstring& name) const
{
    return m_removed.count(Key(className, name)) != 0;
}

void CSimHost::RecordCall(const std::wstring& className, const std::wstring& member, SimKind kind,
                          const CSimCall& call)
{
    SimCallRecord record{className, member, kind, {}, {}};
    for (size_t i = 0; i < call.Count(); ++i) {
        record.argumentTypes.push_back(call.Argument(i).vt);
        record.argumentText.push_back(DescribeValue(call.Argument(i)));
    }
    m_calls.push_back(record);
    if (m_callHook)
        m_callHook(record);
}

const SimInjectedError* CSimHost::InjectedError(const std::wstring& className, const std::wstring& member) const
{
    auto found = m_errors.find(Key(className, member));
    return found == m_errors.end() ? nullptr : &found->second;
}

HRESULT CSimHost::Reject(const std::wstring& className, const std::wstring& what, HRESULT hr)
{
    m_rejections.push_back(className + L": " + what);
    return hr;
}

CSimCanvas& CSimHost::AddCanvas(long frameBuffer)
{
    FrameBuffer(static_cast<size_t>(frameBuffer));
    CSimCanvas& canvas = Create<CSimCanvas>();
    canvas.frameBufferIndex = frameBuffer;
    m_canvases.push_back(&canvas);
    return canvas;
}

CSimCanvas* CSimHost::ActiveCanvas() const
{
    if (m_activeCanvas < 0 || static_cast<size_t>(m_activeCanvas) >= m_canvases.size())
        return nullptr;
    return m_canvases[m_activeCanvas];
}

long CSimHost::ActiveFrameBuffer() const
{
    const CSimCanvas* canvas = ActiveCanvas();
    return canvas ? canvas->frameBufferIndex : 0;
}

CSimScene* CSimHost::ActiveScene() const
{
    const CSimCanvas* canvas = ActiveCanvas();
    return canvas ? canvas->Scene() : nullptr;
}

CSimFrameBuffer& CSimHost::FrameBuffer(size_t index)
{
    while (m_frameBuffers.size() <= index)
        m_frameBuffers.push_back(&Create<CSimFrameBuffer>());
    return *m_frameBuffers[index];
}

CSimScene& CSimHost::AddScene(const std::wstring& name, size_t frameBuffer)
{
    CSimFrameBuffer& buffer = FrameBuffer(frameBuffer);
    CSimScene& scene = Create<CSimScene>();
    scene.name = name;
    scene.frameBuffer = &buffer;
    buffer.scenes.push_back(&scene);
    buffer.focus = &scene;
    AddNode(scene, L"Global Light", SimNodeGlobalLight);
    return scene;
}

CSimNode& CSimHost::AddNode(CSimScene& scene, const std::wstring& name, long type, CSimNode* parent)
{
    CSimNode& node = Create<CSimNode>();
    node.name = name;
    node.type = type;
    node.scene = &scene;
    node.parent = parent;
    (parent ? parent->children : scene.nodes).push_back(&node);
    return node;
}

CSimElement& CSimHost::AddElement(CSimNode& node, const std::wstring& name, long type, const std::wstring& text)
{
    CSimElement& element = Create<CSimElement>();
    element.name = name;
    element.type = type;
    if (type == SimElementText || type == SimElementTemplate) {
        element.text = &Create<CSimText>();
        element.text->text = text;
    } else if (type == SimElementImage) {
        element.image = &Create<CSimImage>();
        element.image->source = text;
    } else {
        element.filename = text;
    }
    node.elements.push_back(&element);
    return element;
}

CSimElement& CSimHost::AddTemplate(CSimScene& scene, const std::wstring& name, const std::wstring& text)
{
    CSimElement& element = Create<CSimElement>();
    element.name = name;
    element.type = SimElementTemplate;
    element.text = &Create<CSimText>();
    element.text->text = text;
    scene.templates.push_back(&element);
    return element;
}

CSimTransition& CSimHost::AddTransition(CSimScene& scene, const std::wstring& name)
{
    CSimTransition& transition = Create<CSimTransition>(scene);
    transition.name = name;
    scene.transitions.push_back(&transition);
    if (scene.activeTransition.empty())
        scene.activeTransition = name;
    return transition;
}

CSimElement& CSimHost::SetBackground(CSimScene& scene, const std::wstring& imageSource)
{
    CSimElement& element = Create<CSimElement>();
    element.name = L"Background";
    element.type = SimElementImage;
    element.image = &Create<CSimImage>();
    element.image->source = imageSource;
    scene.background = &element;
    return element;
}

void CSimHost::DeclareProperty(SimPropertyDeclaration declaration)
{
    // A declaration is keyed by group, name and object type: a new one replaces
    // an older one only for the object types both name.
    for (SimPropertyDeclaration& existing : m_declarations)
        if (existing.group == declaration.group && existing.name == declaration.name) {
            std::vector<std::wstring>& types = existing.objectTypes;
            for (const std::wstring& type : declaration.objectTypes)
                types.erase(std::remove(types.begin(), types.end(), type), types.end());
        }
    m_declarations.erase(std::remove_if(m_declarations.begin(), m_declarations.end(),
                                        [](const SimPropertyDeclaration& d) { return d.objectTypes.empty(); }),
                         m_declarations.end());
    m_declarations.push_back(std::move(declaration));
}

const SimPropertyDeclaration* CSimHost::Declaration(const std::wstring& objectType, const std::wstring& group,
                                                    const std::wstring& name) const
{
    for (const SimPropertyDeclaration& d : m_declarations)
        if (d.group == group && d.name == name &&
            std::find(d.objectTypes.begin(), d.objectTypes.end(), objectType) != d.objectTypes.end())
            return &d;
    return nullptr;
}

std::vector<const SimPropertyDeclaration*> CSimHost::DeclarationsOf(const std::wstring& objectType) const
{
    std::vector<const SimPropertyDeclaration*> found;
    for (const SimPropertyDeclaration& d : m_declarations)
        if (std::find(d.objectTypes.begin(), d.objectTypes.end(), objectType) != d.objectTypes.end())
            found.push_back(&d);
    return found;
}

CSimValue CSimHost::PropertyValue(const CSimNode& node, const std::wstring& group, const std::wstring& name) const
{
    const SimPropertyDeclaration* declaration = Declaration(node.ObjectType(), group, name);
    if (!declaration)
        return CSimValue(std::wstring(L"???"));
    auto groupValues = node.properties.find(group);
    if (groupValues != node.properties.end()) {
        auto value = groupValues->second.find(name);
        if (value != groupValues->second.end())
            return value->second;
    }
    return CSimValue(declaration->defaultValue);
}

void CSimHost::RecordRegistration(const std::wstring& member, const CSimCall& call)
{
    SimRegistration registration{member, {}};
    for (size_t i = 0; i < call.Count(); ++i)
        registration.arguments.push_back(DescribeValue(call.Argument(i)));
    m_registrations.push_back(std::move(registration));
}

long CSimHost::AddMenuItem(const std::wstring& plugin, const std::wstring& path, const std::wstring& command)
{
    m_menuItems.push_back(SimMenuItem{plugin, path, command, RefPtr<IDispatch>(m_initializing)});
    return static_cast<long>(m_menuItems.size());
}

CSimScene* CSimHost::FindScene(const std::wstring& name) const
{
    for (CSimFrameBuffer* buffer : m_frameBuffers)
        for (CSimScene* scene : buffer->scenes)
            if (scene->name == name)
                return scene;
    return nullptr;
}

bool CSimHost::OpenSceneFile(const std::wstring& path, std::wstring& error)
{
    return LoadSceneFile(*this, path, error);
}
