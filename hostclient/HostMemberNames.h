#pragma once
// The host's member names of the road from the application to an element, in
// the order of the wrappers' DISPID cells. The chart control's wrappers
// resolve each whole list once per process; the motion plug-in's own
// wrappers resolve the names before a given one at every attach. Each
// enumerator is the host's name; the second "Image" of an element, which its
// image setter uses, is ImagePut.

struct ApplicationNames {
    enum {
        ActiveCanvas, RegisterObjectProperty, ShowInBrowser, RegisterObjectPropertyEditor,
        RegisterObjectPropertyChanges, Open, SaveAs, Image, DrawList, CustomProperties, RegisterMenuItem,
        RegisterObject, RegisterObjectEventHandler, Context, MDIFrame, SetRegistry, GetRegistry, RegisterLEIFlet,
        ActiveFrameBuffer, FrameBuffers, FrameBufferScene, SetPropertyManager, TransferView, FrameBufferPlaying,
        NamespaceCount, Namespace, GL, Plugins, IsCombine, CreatePlaylist, CreateCustomPlaylist, Version,
        ActivateFrame, CloseWindow, FrameBuffer, Message, Read, IICommand, Count
    };
    static const wchar_t* const list[Count];
};

struct CanvasNames {
    enum {
        Scene, ClientToScreenX, ClientToScreenY, SetResolution, WindowDimension, Playing, MakeCurrent, Update,
        RenderToDuet, SetFrame, GetFrame, Selection, FrameCount, CurrentMessage, Count
    };
    static const wchar_t* const list[Count];
};

struct SceneNames {
    enum {
        NodeCount, Node, Resolution, NativeResolution, Properties, Background, SafeTitle, BackgroundVisible,
        TwoDFrames, EnableGuides, RestoreCanvas, ActiveObject, EditStaticObject, DeleteStaticObject,
        StaticObjectCount, AddStaticObject, StaticObject, CurrentFrame, Play, InsertObject, ImportFile, Select,
        StreamToNodes, NodesToStream, Erase, AnimationLength, Group, Refresh, UnGroup, SelectedTemplate,
        ProxyBasedPrimitive, SwapPriority, Element, Transitions, TransitionByName, GetTemplate, ExportNodes,
        SuppressUpdates, FrameBuffer, Count
    };
    static const wchar_t* const list[Count];
};

struct NodeNames {
    enum {
        Visible, Properties, Element, ElementCount, Type, Name, Rect, InTime, OutTime, KeyFrames, AnimationState,
        Delete, Select, FullScreen, AnimateElements, AddRow, FontName, Id, ChildCount, GetChild, KeyFrame, GetGroup,
        GetTransform, Update, Count
    };
    static const wchar_t* const list[Count];
};

struct ElementNames {
    enum {
        ClipRect, Properties, Rect, Text, Image, Name, TemplateRect, AntiAlias, Update, RGBAImage, UseTemplateRect,
        Type, ImagePut, Verticies, Node, DeleteAll, GetCaretPos, RowColor, SelectedRowColor, SetCaretPos, HandleChar,
        Justify, AddTemplate, SetActive, Filename, InPoint, OutPoint, Loop, IIUpdateEnable, IgnorePauses, PlayToEnd,
        Preload, ExternalUpdateEnable, LoopFrame, RefreshTexture, ReplaceMode, LyricProperties, LoadFromURL,
        JustificationX, JustificationY, Count
    };
    static const wchar_t* const list[Count];
};
