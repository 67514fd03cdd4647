// Members of the canvas, its selection, frame buffers, scenes and transitions.
#include <algorithm>
#include <new>

#include "testing/simhost/SimHost.h"

namespace {

constexpr SimKind Get = SimKind::Get;
constexpr SimKind Method = SimKind::Method;

// Flags of Select: 2 adds to the selection; without it the node replaces it.
constexpr long SelectExtend = 2;

// A VT_DISPATCH array of the objects, or VT_EMPTY when there are none.
template <typename TObject>
void ReturnObjects(CSimCall& c, const std::vector<TObject*>& objects)
{
    if (objects.empty()) {
        c.ReturnEmpty();
        return;
    }
    SAFEARRAY* array = SafeArrayCreateVector(VT_DISPATCH, 0, static_cast<ULONG>(objects.size()));
    if (!array)
        throw std::bad_alloc();
    c.ReturnArray(VT_DISPATCH, array); // owned by the answer from here on
    for (size_t i = 0; i < objects.size(); ++i) {
        LONG index = static_cast<LONG>(i);
        if (FAILED(SafeArrayPutElement(array, &index, static_cast<IDispatch*>(objects[i]))))
            throw std::bad_alloc();
    }
}

CSimScene& SceneOf(CSimSelection& selection)
{
    CSimScene* scene = selection.canvas.Scene();
    if (!scene)
        throw CSimHostError(L"No scene on the canvas");
    return *scene;
}

void ExecuteSelectionCommand(CSimSelection& selection, const std::wstring& command)
{
    CSimScene& scene = SceneOf(selection);
    CSimHost& host = *selection.Host();
    if (command == L"Copy") {
        host.Clipboard().clear();
        for (CSimNode* node : scene.selection)
            host.Clipboard().push_back(&node->Clone());
    } else if (command == L"Paste") {
        if (host.Clipboard().empty())
            throw CSimHostError(L"Nothing to paste");
        scene.selection.clear();
        for (CSimNode* copied : host.Clipboard()) {
            CSimNode& pasted = copied->Clone();
            scene.AdoptTree(pasted);
            scene.nodes.push_back(&pasted);
            scene.selection.push_back(&pasted);
            scene.activeObject = &pasted;
        }
    } else if (command == L"Delete Object(s)") {
        for (CSimNode* node : scene.selection) {
            scene.Unlink(*node);
            node->scene = nullptr;
            if (scene.activeObject && node->IsAncestorOf(scene.activeObject))
                scene.activeObject = nullptr;
        }
        scene.selection.clear();
    } else {
        throw CSimHostError(L"Unknown command " + command);
    }
}

} // namespace

const CSimClass& CSimCanvas::Type()
{
    static const CSimClass type(L"Canvas", {
        Member<CSimCanvas>(L"Scene", Get, {}, VT_DISPATCH, [](CSimCanvas& canvas, CSimCall& c) {
            c.ReturnObject(canvas.Scene());
        }),
        Member<CSimCanvas>(L"SetFrame", Method, {VT_I4}, VT_EMPTY, [](CSimCanvas& canvas, CSimCall& c) {
            canvas.frame = c.Long(0);
        }),
        Member<CSimCanvas>(L"GetFrame", Method, {}, VT_I4, [](CSimCanvas& canvas, CSimCall& c) {
            c.ReturnLong(canvas.frame);
        }),
        Member<CSimCanvas>(L"FrameCount", Get, {}, VT_I4, [](CSimCanvas& canvas, CSimCall& c) {
            CSimScene* scene = canvas.Scene();
            c.ReturnLong(scene ? scene->animationLength : 0);
        }),
        Member<CSimCanvas>(L"Update", Method, {}, VT_EMPTY, [](CSimCanvas& canvas, CSimCall&) {
            ++canvas.updates;
            if (canvas.onUpdate)
                canvas.onUpdate(canvas);
        }),
        Member<CSimCanvas>(L"Selection", Get, {}, VT_DISPATCH, [](CSimCanvas& canvas, CSimCall& c) {
            c.ReturnObject(canvas.selection);
        }),
        Member<CSimCanvas>(L"CurrentMessage", Get, {}, VT_BSTR, [](CSimCanvas& canvas, CSimCall& c) {
            c.ReturnString(canvas.currentMessage);
        }),
    });
    return type;
}

const CSimClass& CSimSelection::Type()
{
    static const CSimClass type(L"Selection", {
        Member<CSimSelection>(L"Execute", Method, {VT_BSTR}, VT_EMPTY, [](CSimSelection& selection, CSimCall& c) {
            ExecuteSelectionCommand(selection, c.String(0));
        }),
    });
    return type;
}

const CSimClass& CSimFrameBuffer::Type()
{
    static const CSimClass type(L"FrameBuffer", {
        Member<CSimFrameBuffer>(L"SceneByName", Method, {VT_BSTR}, VT_DISPATCH, [](CSimFrameBuffer& fb, CSimCall& c) {
            for (CSimScene* scene : fb.scenes)
                if (scene->name == c.String(0)) {
                    c.ReturnObject(scene);
                    return;
                }
            c.ReturnNull();
        }),
        Member<CSimFrameBuffer>(L"SceneWithFocus", Method, {}, VT_DISPATCH, [](CSimFrameBuffer& fb, CSimCall& c) {
            c.ReturnObject(fb.focus);
        }),
        Member<CSimFrameBuffer>(L"Scenes", Method, {}, VT_VARIANT, [](CSimFrameBuffer& fb, CSimCall& c) {
            ReturnObjects(c, fb.scenes);
        }),
        Member<CSimFrameBuffer>(L"SelectScene", Method, {VT_DISPATCH}, VT_I1, [](CSimFrameBuffer& fb, CSimCall& c) {
            CSimScene& scene = c.Object<CSimScene>(0);
            const bool ours = std::find(fb.scenes.begin(), fb.scenes.end(), &scene) != fb.scenes.end();
            if (ours)
                fb.focus = &scene;
            c.ReturnChar(ours ? 1 : 0);
        }),
        Member<CSimFrameBuffer>(L"BoardNum", Get, {}, VT_I4, [](CSimFrameBuffer& fb, CSimCall& c) {
            c.ReturnLong(fb.boardNumber);
        }),
    });
    return type;
}

const CSimClass& CSimScene::Type()
{
    static const CSimClass type(L"Scene", {
        Member<CSimScene>(L"NodeCount", Get, {}, VT_I4, [](CSimScene& scene, CSimCall& c) {
            c.ReturnLong(static_cast<long>(scene.nodes.size()));
        }),
        Member<CSimScene>(L"Node", Method, {VT_I4}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            const long index = c.Long(0);
            c.ReturnObject(index >= 0 && static_cast<size_t>(index) < scene.nodes.size() ? scene.nodes[index] : nullptr);
        }),
        Member<CSimScene>(L"Element", Get, {VT_BSTR}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            CSimNode* node = scene.Find(c.String(0));
            if (!node)
                throw CSimHostError(L"No object named " + c.String(0));
            c.ReturnObject(node);
        }),
        Member<CSimScene>(L"ActiveObject", Get, {}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            if (scene.activeObject)
                c.ReturnObject(scene.activeObject);
            else
                c.ReturnEmpty();
        }),
        Member<CSimScene>(L"GetTemplate", Method, {VT_BSTR}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            if (CSimElement* element = scene.Template(c.String(0)))
                c.ReturnObject(element);
            else
                c.ReturnEmpty();
        }),
        Member<CSimScene>(L"Transitions", Method, {}, VT_VARIANT, [](CSimScene& scene, CSimCall& c) {
            ReturnObjects(c, scene.transitions);
        }),
        Member<CSimScene>(L"TransitionByName", Method, {VT_BSTR}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            if (CSimTransition* transition = scene.Transition(c.String(0)))
                c.ReturnObject(transition);
            else
                c.ReturnNull();
        }),
        Member<CSimScene>(L"Select", Method, {VT_BSTR, VT_I4}, VT_EMPTY, [](CSimScene& scene, CSimCall& c) {
            CSimNode* node = scene.Find(c.String(0));
            if (!node)
                throw CSimHostError(L"No object named " + c.String(0));
            if (!(c.Long(1) & SelectExtend))
                scene.selection.clear();
            if (std::find(scene.selection.begin(), scene.selection.end(), node) == scene.selection.end())
                scene.selection.push_back(node);
            scene.activeObject = node;
        }),
        Member<CSimScene>(L"Play", Method, {VT_I2, VT_I2}, VT_EMPTY, [](CSimScene& scene, CSimCall& c) {
            scene.plays.push_back(std::to_wstring(c.Short(0)) + L"," + std::to_wstring(c.Short(1)));
        }),
        Member<CSimScene>(L"AnimationLength", Get, {}, VT_I4, [](CSimScene& scene, CSimCall& c) {
            c.ReturnLong(scene.animationLength);
        }),
        Member<CSimScene>(L"Background", Get, {}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            c.ReturnObject(scene.background);
        }),
        Member<CSimScene>(L"FrameBuffer", Get, {}, VT_DISPATCH, [](CSimScene& scene, CSimCall& c) {
            c.ReturnObject(scene.frameBuffer);
        }),
    });
    return type;
}

const CSimClass& CSimTransition::Type()
{
    static const CSimClass type(L"Transition", {
        Member<CSimTransition>(L"Name", Get, {}, VT_BSTR, [](CSimTransition& t, CSimCall& c) { c.ReturnString(t.name); }),
        Member<CSimTransition>(L"Activate", Method, {}, VT_EMPTY, [](CSimTransition& t, CSimCall&) {
            t.scene.activeTransition = t.name;
        }),
    });
    return type;
}
