#include "hostclient/HostMemberNames.h"

const wchar_t* const ApplicationNames::list[Count] = {
    L"ActiveCanvas", L"RegisterObjectProperty", L"ShowInBrowser", L"RegisterObjectPropertyEditor",
    L"RegisterObjectPropertyChanges", L"Open", L"SaveAs", L"Image", L"DrawList", L"CustomProperties",
    L"RegisterMenuItem", L"RegisterObject", L"RegisterObjectEventHandler", L"Context", L"MDIFrame", L"SetRegistry",
    L"GetRegistry", L"RegisterLEIFlet", L"ActiveFrameBuffer", L"FrameBuffers", L"FrameBufferScene",
    L"SetPropertyManager", L"TransferView", L"FrameBufferPlaying", L"NamespaceCount", L"Namespace", L"GL",
    L"Plugins", L"IsCombine", L"CreatePlaylist", L"CreateCustomPlaylist", L"Version", L"ActivateFrame",
    L"CloseWindow", L"FrameBuffer", L"Message", L"Read", L"IICommand"};

const wchar_t* const CanvasNames::list[Count] = {
    L"Scene", L"ClientToScreenX", L"ClientToScreenY", L"SetResolution", L"WindowDimension", L"Playing",
    L"MakeCurrent", L"Update", L"RenderToDuet", L"SetFrame", L"GetFrame", L"Selection", L"FrameCount",
    L"CurrentMessage"};

const wchar_t* const SceneNames::list[Count] = {
    L"NodeCount", L"Node", L"Resolution", L"NativeResolution", L"Properties", L"Background", L"SafeTitle",
    L"BackgroundVisible", L"TwoDFrames", L"EnableGuides", L"RestoreCanvas", L"ActiveObject", L"EditStaticObject",
    L"DeleteStaticObject", L"StaticObjectCount", L"AddStaticObject", L"StaticObject", L"CurrentFrame", L"Play",
    L"InsertObject", L"ImportFile", L"Select", L"StreamToNodes", L"NodesToStream", L"Erase", L"AnimationLength",
    L"Group", L"Refresh", L"UnGroup", L"SelectedTemplate", L"ProxyBasedPrimitive", L"SwapPriority", L"Element",
    L"Transitions", L"TransitionByName", L"GetTemplate", L"ExportNodes", L"SuppressUpdates", L"FrameBuffer"};

const wchar_t* const NodeNames::list[Count] = {
    L"Visible", L"Properties", L"Element", L"ElementCount", L"Type", L"Name", L"Rect", L"InTime", L"OutTime",
    L"KeyFrames", L"AnimationState", L"Delete", L"Select", L"FullScreen", L"AnimateElements", L"AddRow", L"FontName",
    L"Id", L"ChildCount", L"GetChild", L"KeyFrame", L"GetGroup", L"GetTransform", L"Update"};

const wchar_t* const ElementNames::list[Count] = {
    L"ClipRect", L"Properties", L"Rect", L"Text", L"Image", L"Name", L"TemplateRect", L"AntiAlias", L"Update",
    L"RGBAImage", L"UseTemplateRect", L"Type", L"Image", L"Verticies", L"Node", L"DeleteAll", L"GetCaretPos",
    L"RowColor", L"SelectedRowColor", L"SetCaretPos", L"HandleChar", L"Justify", L"AddTemplate", L"SetActive",
    L"Filename", L"InPoint", L"OutPoint", L"Loop", L"IIUpdateEnable", L"IgnorePauses", L"PlayToEnd", L"Preload",
    L"ExternalUpdateEnable", L"LoopFrame", L"RefreshTexture", L"ReplaceMode", L"LyricProperties", L"LoadFromURL",
    L"JustificationX", L"JustificationY"};
