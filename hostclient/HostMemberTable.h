#pragma once
// Every host wrapper as data: the host's member names in the order of the
// wrapper's DISPID cells, and the wrapper's members. HostWrapper.h expands
// the rows; a few members whose calls do more than one host call's worth
// (string arrays, flags, fallbacks) are written by hand in their class.
//
// Tag_NAMES(N, A): N(Name) is a cell for the host name Name; A(Cell, Name)
// a further cell, named Cell, for a name the list already has.
//
// Tag_MEMBERS(M, V, O), one row per member:
//   M(Function, Cell, Kind, Result, (parameters), (arguments))
//       typed: the parameters go to the host in order, a put's last one is
//       the new value; Result is void, long, double, bool, std::wstring or
//       std::unique_ptr<wrapper> (null when the host gives no object).
//   V(Function, Cell, Kind)
//       open: the host's own types. A get or method takes the answer's
//       ScopedVariant first, then any arguments; a put takes any index
//       arguments, then the value.
//   O(Function, Cell, Kind, Wrapper)
//       open arguments, answered by a new Wrapper (null for no object).
// Kind: Get, Put, Method, or PutIfPresent / MethodIfPresent, which make no
// call when the host lacks the name. Gets are named GetX, puts SetX,
// methods after the host's member.

// Every class, with the cache its cells live in.
#define HOST_CLASSES(C)                                                                                  \
    C(Application) C(Canvas) C(FrameBuffer) C(Scene) C(Node) C(Element) C(PropertyGroup) C(KeyFrames)  \
    C(KeyFrame) C(Transform) C(Group) C(Selection) C(Transition) C(Text) C(Font) C(Image) C(Version)   \
    C(Properties) C(Property) C(Rect) C(Edge) C(CharacterData) C(Vertex) C(LyricProperties) C(Position) \
    C(Dimension) C(Resolution) C(StaticObject) C(GL) C(Namespace) C(PropertyDef) C(Playlist) C(Plugin) \
    C(CustomList) C(CustomItem)

// --- The road into a scene (cells shared by the whole process) ---------------

#define HOST_Application_NAMES(N, A)                                                                        \
    N(ActiveCanvas) N(RegisterObjectProperty) N(ShowInBrowser) N(RegisterObjectPropertyEditor)              \
    N(RegisterObjectPropertyChanges) N(Open) N(SaveAs) N(Image) N(DrawList) N(CustomProperties)             \
    N(RegisterMenuItem) N(RegisterObject) N(RegisterObjectEventHandler) N(Context) N(MDIFrame) N(SetRegistry) \
    N(GetRegistry) N(RegisterLEIFlet) N(ActiveFrameBuffer) N(FrameBuffers) N(FrameBufferScene)              \
    N(SetPropertyManager) N(TransferView) N(FrameBufferPlaying) N(NamespaceCount) N(Namespace) N(GL)        \
    N(Plugins) N(IsCombine) N(CreatePlaylist) N(CreateCustomPlaylist) N(Version) N(ActivateFrame)           \
    N(CloseWindow) N(FrameBuffer) N(Message) N(Read) N(IICommand)

// Both application wrappers (the chart control's and the motion plug-in's).
#define HOST_ApplicationCalls_MEMBERS(M, V, O)                                                                 \
    M(RegisterLEIFlet, RegisterLEIFlet, Method, void, (const std::wstring& version, const std::wstring& name), \
      (version, name))                                                                                         \
    M(RegisterMenuItem, RegisterMenuItem, Method, long,                                                        \
      (const std::wstring& pluginName, const std::wstring& menuPath, const std::wstring& command),            \
      (pluginName, menuPath, command))

// RegisterObjectPropertyChanges and IsCombine are looked up but have no member.
#define HOST_Application_MEMBERS(M, V, O)                                                                      \
    M(GetActiveCanvas, ActiveCanvas, Get, std::unique_ptr<CHostCanvas>, (), ())                                \
    M(FrameBuffer, FrameBuffer, Method, std::unique_ptr<CHostFrameBuffer>, (long index), (index))              \
    M(GetFrameBuffers, FrameBuffers, Get, long, (), ())                                                        \
    M(GetActiveFrameBuffer, ActiveFrameBuffer, Get, long, (), ())                                              \
    M(Open, Open, Method, void, (const std::wstring& path), (path))                                            \
    M(Version, Version, Method, std::unique_ptr<CHostVersion>, (), ())                                         \
    M(GetRegistryString, GetRegistry, Method, std::wstring,                                                   \
      (const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue),               \
      (section, key, defaultValue))                                                                            \
    M(SetRegistryString, SetRegistry, Method, void,                                                            \
      (const std::wstring& section, const std::wstring& key, const std::wstring& value), (section, key, value)) \
    V(ShowInBrowser, ShowInBrowser, Method) V(SaveAs, SaveAs, Method) O(GetImage, Image, Get, CHostImage)        \
    V(DrawList, DrawList, Method) O(GetCustomProperties, CustomProperties, Get, CHostCustomList)               \
    V(RegisterObject, RegisterObject, Method) V(RegisterObjectEventHandler, RegisterObjectEventHandler, Method) \
    V(GetContext, Context, Get) V(SetContext, Context, Put) V(SetMessage, Message, Put) V(Read, Read, Method)   \
    V(IICommand, IICommand, Method) V(GetNamespaceCount, NamespaceCount, Get)                                  \
    O(Namespace, Namespace, Method, CHostNamespace) O(GetGL, GL, Get, CHostGL) V(GetPlugins, Plugins, Get)      \
    O(CreatePlaylist, CreatePlaylist, Method, CHostPlaylist)                                                   \
    O(CreateCustomPlaylist, CreateCustomPlaylist, Method, CHostPlaylist) V(ActivateFrame, ActivateFrame, Method) \
    V(CloseWindow, CloseWindow, Method) V(GetFrameBufferPlaying, FrameBufferPlaying, Get)                      \
    V(TransferView, TransferView, Method) V(SetPropertyManager, SetPropertyManager, Put)                       \
    O(FrameBufferScene, FrameBufferScene, Method, CHostScene) V(SetActiveFrameBuffer, ActiveFrameBuffer, Put)

#define HOST_Canvas_NAMES(N, A)                                                                         \
    N(Scene) N(ClientToScreenX) N(ClientToScreenY) N(SetResolution) N(WindowDimension) N(Playing)       \
    N(MakeCurrent) N(Update) N(RenderToDuet) N(SetFrame) N(GetFrame) N(Selection) N(FrameCount)          \
    N(CurrentMessage)
#define HOST_Canvas_MEMBERS(M, V, O)                                                                    \
    M(GetScene, Scene, Get, std::unique_ptr<CHostScene>, (), ())                                        \
    M(SetFrame, SetFrame, Method, void, (long frame), (frame))                                          \
    M(GetFrame, GetFrame, Method, long, (), ())                                                         \
    M(GetFrameCount, FrameCount, Get, long, (), ())                                                     \
    M(Update, Update, Method, void, (), ())                                                             \
    M(GetSelection, Selection, Get, std::unique_ptr<CHostSelection>, (), ())                            \
    M(GetCurrentMessage, CurrentMessage, Get, std::wstring, (), ())                                     \
    V(ClientToScreenX, ClientToScreenX, Method) V(ClientToScreenY, ClientToScreenY, Method)             \
    V(SetResolution, SetResolution, Method) O(GetWindowDimension, WindowDimension, Get, CHostDimension) \
    V(GetPlaying, Playing, Get) V(MakeCurrent, MakeCurrent, Method) V(RenderToDuet, RenderToDuet, Method)

#define HOST_Scene_NAMES(N, A)                                                                                 \
    N(NodeCount) N(Node) N(Resolution) N(NativeResolution) N(Properties) N(Background) N(SafeTitle)            \
    N(BackgroundVisible) N(TwoDFrames) N(EnableGuides) N(RestoreCanvas) N(ActiveObject) N(EditStaticObject)    \
    N(DeleteStaticObject) N(StaticObjectCount) N(AddStaticObject) N(StaticObject) N(CurrentFrame) N(Play)      \
    N(InsertObject) N(ImportFile) N(Select) N(StreamToNodes) N(NodesToStream) N(Erase) N(AnimationLength)      \
    N(Group) N(Refresh) N(UnGroup) N(SelectedTemplate) N(ProxyBasedPrimitive) N(SwapPriority) N(Element)       \
    N(Transitions) N(TransitionByName) N(GetTemplate) N(ExportNodes) N(SuppressUpdates) N(FrameBuffer)
#define HOST_Scene_MEMBERS(M, V, O)                                                                            \
    M(GetNodeCount, NodeCount, Get, long, (), ())                                                              \
    M(Node, Node, Method, std::unique_ptr<CHostNode>, (long index), (index))                                   \
    M(GetElement, Element, Get, std::unique_ptr<CHostNode>, (const std::wstring& nodeName), (nodeName))        \
    M(GetTemplate, GetTemplate, Method, std::unique_ptr<CHostElement>, (const std::wstring& name), (name))     \
    M(TransitionByName, TransitionByName, Method, std::unique_ptr<CHostTransition>, (const std::wstring& name), \
      (name))                                                                                                  \
    M(GetAnimationLength, AnimationLength, Get, long, (), ())                                                  \
    M(GetBackground, Background, Get, std::unique_ptr<CHostElement>, (), ())                                   \
    M(GetFrameBuffer, FrameBuffer, Get, std::unique_ptr<CHostFrameBuffer>, (), ())                             \
    O(GetResolution, Resolution, Get, CHostResolution) O(GetNativeResolution, NativeResolution, Get, CHostResolution) \
    V(GetProperties, Properties, Get) V(GetSafeTitle, SafeTitle, Get) V(GetBackgroundVisible, BackgroundVisible, Get) \
    V(GetTwoDFrames, TwoDFrames, Get) V(GetEnableGuides, EnableGuides, Get) V(RestoreCanvas, RestoreCanvas, Method) \
    V(EditStaticObject, EditStaticObject, Method) V(DeleteStaticObject, DeleteStaticObject, Method)           \
    V(GetStaticObjectCount, StaticObjectCount, Get) V(AddStaticObject, AddStaticObject, Method)                \
    O(StaticObject, StaticObject, Method, CHostStaticObject) V(GetCurrentFrame, CurrentFrame, Get)             \
    V(InsertObject, InsertObject, Method) V(ImportFile, ImportFile, Method) V(StreamToNodes, StreamToNodes, Method) \
    V(NodesToStream, NodesToStream, Method) V(Erase, Erase, Method) V(Group, Group, Method)                    \
    V(Refresh, Refresh, Method) V(UnGroup, UnGroup, Method) V(GetSelectedTemplate, SelectedTemplate, Get)      \
    V(ProxyBasedPrimitive, ProxyBasedPrimitive, Method) V(SwapPriority, SwapPriority, Method)                  \
    V(ExportNodes, ExportNodes, Method) V(GetSuppressUpdates, SuppressUpdates, Get)                            \
    V(SetSuppressUpdates, SuppressUpdates, Put)

#define HOST_Node_NAMES(N, A)                                                                                  \
    N(Visible) N(Properties) N(Element) N(ElementCount) N(Type) N(Name) N(Rect) N(InTime) N(OutTime)          \
    N(KeyFrames) N(AnimationState) N(Delete) N(Select) N(FullScreen) N(AnimateElements) N(AddRow) N(FontName)  \
    N(Id) N(ChildCount) N(GetChild) N(KeyFrame) N(GetGroup) N(GetTransform) N(Update)
#define HOST_Node_MEMBERS(M, V, O)                                                                             \
    M(GetName, Name, Get, std::wstring, (), ())                                                                \
    M(SetName, Name, Put, void, (const std::wstring& name), (name))                                            \
    M(GetType, Type, Get, long, (), ())                                                                        \
    M(GetChildCount, ChildCount, Get, long, (), ())                                                            \
    M(GetChild, GetChild, Method, std::unique_ptr<CHostNode>, (long index), (index))                           \
    M(GetElementCount, ElementCount, Get, long, (), ())                                                        \
    M(Element, Element, Method, std::unique_ptr<CHostElement>, (long index), (index))                          \
    M(Properties, Properties, Method, std::unique_ptr<CHostPropertyGroup>, (const std::wstring& groupName),    \
      (groupName))                                                                                             \
    M(GetKeyFrames, KeyFrames, Get, std::unique_ptr<CHostKeyFrames>, (), ())                                   \
    M(GetTransform, GetTransform, Method, std::unique_ptr<CHostTransform>, (const std::wstring& transformName), \
      (transformName))                                                                                         \
    M(GetGroup, GetGroup, Method, std::unique_ptr<CHostGroup>, (), ())                                         \
    M(SetVisible, Visible, Put, void, (bool visible), (visible))                                               \
    O(GetRect, Rect, Get, CHostRect) V(SetRect, Rect, Put) V(GetInTime, InTime, Get) V(SetInTime, InTime, Put) \
    V(GetOutTime, OutTime, Get) V(SetOutTime, OutTime, Put) V(GetAnimationState, AnimationState, Get)          \
    V(Delete, Delete, Method) V(Select, Select, Method) V(FullScreen, FullScreen, Method)                       \
    V(AnimateElements, AnimateElements, Method) V(AddRow, AddRow, Method) V(GetFontName, FontName, Get)        \
    V(SetFontName, FontName, Put) V(GetId, Id, Get) O(KeyFrame, KeyFrame, Method, CHostKeyFrame)               \
    V(Update, Update, Method) V(GetVisible, Visible, Get) V(Properties, Properties, Method)

// The second "Image" cell is the image setter's.
#define HOST_Element_NAMES(N, A)                                                                               \
    N(ClipRect) N(Properties) N(Rect) N(Text) N(Image) N(Name) N(TemplateRect) N(AntiAlias) N(Update)          \
    N(RGBAImage) N(UseTemplateRect) N(Type) A(ImagePut, Image) N(Verticies) N(Node) N(DeleteAll)              \
    N(GetCaretPos) N(RowColor) N(SelectedRowColor) N(SetCaretPos) N(HandleChar) N(Justify) N(AddTemplate)     \
    N(SetActive) N(Filename) N(InPoint) N(OutPoint) N(Loop) N(IIUpdateEnable) N(IgnorePauses) N(PlayToEnd)     \
    N(Preload) N(ExternalUpdateEnable) N(LoopFrame) N(RefreshTexture) N(ReplaceMode) N(LyricProperties)       \
    N(LoadFromURL) N(JustificationX) N(JustificationY)
#define HOST_Element_MEMBERS(M, V, O)                                                                          \
    M(GetName, Name, Get, std::wstring, (), ())                                                                \
    M(SetName, Name, Put, void, (const std::wstring& name), (name))                                            \
    M(GetText, Text, Get, std::unique_ptr<CHostText>, (), ())                                                  \
    M(GetImage, Image, Get, std::unique_ptr<CHostImage>, (), ())                                               \
    M(SetJustificationX, JustificationX, PutIfPresent, void, (long justification), (justification))            \
    M(SetJustificationY, JustificationY, PutIfPresent, void, (long justification), (justification))            \
    M(GetFilename, Filename, Get, std::wstring, (), ())                                                        \
    M(SetFilename, Filename, Put, void, (const std::wstring& path), (path))                                    \
    O(GetClipRect, ClipRect, Get, CHostRect) O(GetProperties, Properties, Get, CHostProperties)                \
    O(GetRect, Rect, Get, CHostRect) O(GetTemplateRect, TemplateRect, Get, CHostRect)                          \
    V(GetAntiAlias, AntiAlias, Get) V(Update, Update, Method) V(GetRGBAImage, RGBAImage, Get)                  \
    V(GetUseTemplateRect, UseTemplateRect, Get) V(GetType, Type, Get) V(SetImage, ImagePut, Put)               \
    V(GetVerticies, Verticies, Get) O(GetNode, Node, Get, CHostNode) V(DeleteAll, DeleteAll, Method)           \
    V(GetCaretPos, GetCaretPos, Method) V(GetRowColor, RowColor, Get) V(GetSelectedRowColor, SelectedRowColor, Get) \
    V(SetCaretPos, SetCaretPos, Method) V(HandleChar, HandleChar, Method) V(Justify, Justify, Method)          \
    V(AddTemplate, AddTemplate, Method) V(SetActive, SetActive, Method) V(GetInPoint, InPoint, Get)            \
    V(GetOutPoint, OutPoint, Get) V(GetLoop, Loop, Get) V(GetIIUpdateEnable, IIUpdateEnable, Get)              \
    V(GetIgnorePauses, IgnorePauses, Get) V(GetPlayToEnd, PlayToEnd, Get) V(GetPreload, Preload, Get)          \
    V(GetExternalUpdateEnable, ExternalUpdateEnable, Get) V(GetLoopFrame, LoopFrame, Get)                      \
    V(RefreshTexture, RefreshTexture, Method) V(GetReplaceMode, ReplaceMode, Get)                              \
    O(GetLyricProperties, LyricProperties, Get, CHostLyricProperties) V(LoadFromURL, LoadFromURL, Method)

// --- Cells of each wrapper's own ---------------------------------------------

#define HOST_FrameBuffer_NAMES(N, A) \
    N(SceneByFilename) N(SelectScene) N(Scenes) N(SceneWithFocus) N(BoardNum) N(SceneByName)
#define HOST_FrameBuffer_MEMBERS(M, V, O)                                                                      \
    M(SceneByName, SceneByName, Method, std::unique_ptr<CHostScene>, (const std::wstring& name), (name))       \
    M(SceneWithFocus, SceneWithFocus, MethodIfPresent, std::unique_ptr<CHostScene>, (), ())                    \
    O(SceneByFilename, SceneByFilename, Method, CHostScene) V(GetBoardNum, BoardNum, Get)

#define HOST_PropertyGroup_NAMES(N, A) N(Value)
#define HOST_PropertyGroup_MEMBERS(M, V, O)                                                                    \
    M(SetValue, Value, Put, void, (const std::wstring& name, const VARIANT& value), (name, value))             \
    M(SetValueString, Value, Put, void, (const std::wstring& name, const std::wstring& text), (name, text))

#define HOST_KeyFrames_NAMES(N, A) N(Count) N(KeyFrame) N(Delete) N(DeleteTrack) N(Add)
#define HOST_KeyFrames_MEMBERS(M, V, O)                                                                        \
    M(GetCount, Count, Get, long, (), ())                                                                      \
    M(KeyFrame, KeyFrame, Method, std::unique_ptr<CHostKeyFrame>, (long index), (index))                       \
    M(DeleteTrack, DeleteTrack, Method, void, (long attribute), (attribute))                                   \
    V(Delete, Delete, Method)

#define HOST_KeyFrame_NAMES(N, A) N(Attribute) N(Value) N(Interpolation) N(Frame)
#define HOST_KeyFrame_MEMBERS(M, V, O)                                                                         \
    M(GetAttribute, Attribute, Get, long, (), ()) M(GetValue, Value, Get, double, (), ())                      \
    M(GetInterpolation, Interpolation, Get, long, (), ()) M(GetFrame, Frame, Get, long, (), ())

#define HOST_Transform_NAMES(N, A) N(KeyFrames)
#define HOST_Transform_MEMBERS(M, V, O) M(KeyFrames, KeyFrames, Method, std::unique_ptr<CHostKeyFrames>, (), ())

// Moves the scene node of that name into the group.
#define HOST_Group_NAMES(N, A) N(AddNode)
#define HOST_Group_MEMBERS(M, V, O) M(AddNode, AddNode, Method, void, (const std::wstring& nodeName), (nodeName))

// The host's command names, e.g. "Copy", "Paste", "Delete Object(s)".
#define HOST_Selection_NAMES(N, A) N(Execute)
#define HOST_Selection_MEMBERS(M, V, O) M(Execute, Execute, Method, void, (const std::wstring& command), (command))

#define HOST_Transition_NAMES(N, A) N(Name) N(Activate)
#define HOST_Transition_MEMBERS(M, V, O) \
    M(GetName, Name, Get, std::wstring, (), ()) M(Activate, Activate, Method, void, (), ())

#define HOST_Text_NAMES(N, A) N(Text) N(Font) N(CharsFont) N(CharsRect) N(TextNoTrim) N(TextNoUpdate) N(UnicodeText)
#define HOST_Text_MEMBERS(M, V, O)                                                                             \
    M(GetText, Text, Get, std::wstring, (), ()) M(SetText, Text, Put, void, (const std::wstring& text), (text)) \
    M(GetFont, Font, Get, std::unique_ptr<CHostFont>, (), ())                                                  \
    O(CharsFont, CharsFont, Method, CHostFont) O(CharsRect, CharsRect, Method, CHostRect)                      \
    V(GetTextNoTrim, TextNoTrim, Get) V(SetTextNoUpdate, TextNoUpdate, Put) V(GetUnicodeText, UnicodeText, Get)

#define HOST_Font_NAMES(N, A)                                                                                  \
    N(Name) N(Height) N(Transparency) N(Bold) N(Italic) N(Underline) N(Blur) N(ColorIndex) N(Update) N(Edge)   \
    N(HorizShear) N(VerticalShear) N(Kerning) N(Leading) N(SpaceWidth) N(XYFilter) N(Color) N(EdgeCount)       \
    N(CharacterData) N(IsSame)
#define HOST_Font_MEMBERS(M, V, O)                                                                             \
    M(SetColor, Color, PutIfPresent, void, (long color), (color))                                              \
    V(GetName, Name, Get) V(GetHeight, Height, Get) V(GetTransparency, Transparency, Get) V(GetBold, Bold, Get) \
    V(GetItalic, Italic, Get) V(GetUnderline, Underline, Get) V(GetBlur, Blur, Get)                            \
    V(GetColorIndex, ColorIndex, Get) V(Update, Update, Method) O(Edge, Edge, Method, CHostEdge)               \
    V(GetHorizShear, HorizShear, Get) V(GetVerticalShear, VerticalShear, Get) V(GetKerning, Kerning, Get)      \
    V(GetLeading, Leading, Get) V(GetSpaceWidth, SpaceWidth, Get) V(GetXYFilter, XYFilter, Get)                \
    V(GetColor, Color, Get) V(GetEdgeCount, EdgeCount, Get)                                                    \
    O(CharacterData, CharacterData, Method, CHostCharacterData) V(IsSame, IsSame, Method)

#define HOST_Image_NAMES(N, A)                                                                                 \
    N(Save) N(Load) N(Size) N(GetImageData) N(SetImageData) N(DecoderAvailable) N(Dimensions) N(FromRGBA)      \
    N(ToRGB) N(UsePBuffer) N(ElementImageData) N(RemovePreMultiply)
#define HOST_Image_MEMBERS(M, V, O)                                                                            \
    M(Save, Save, Method, bool, (const std::wstring& path, const std::wstring& options), (path, options))      \
    M(SetUsePBuffer, UsePBuffer, PutIfPresent, void, (bool use), (use))                                        \
    V(Load, Load, Method) V(GetSize, Size, Get) V(GetImageData, GetImageData, Method)                          \
    V(SetImageData, SetImageData, Method) V(DecoderAvailable, DecoderAvailable, Method)                        \
    O(GetDimensions, Dimensions, Get, CHostDimension) V(FromRGBA, FromRGBA, Method) V(ToRGB, ToRGB, Method)    \
    V(GetUsePBuffer, UsePBuffer, Get) V(ElementImageData, ElementImageData, Method)                            \
    V(RemovePreMultiply, RemovePreMultiply, Method)

#define HOST_Version_NAMES(N, A) N(MajorVersion) N(MinorVersion) N(Build)
#define HOST_Version_MEMBERS(M, V, O)                                                                          \
    M(GetMajorVersion, MajorVersion, Get, long, (), ()) M(GetMinorVersion, MinorVersion, Get, long, (), ())    \
    M(GetBuild, Build, Get, long, (), ())

// An element's custom properties as the host hands them to a property
// editor, and one property of that collection.
#define HOST_Properties_NAMES(N, A) N(Count) N(ByIndex) N(ByName) N(OwnerElement)
#define HOST_Properties_MEMBERS(M, V, O)                                                                       \
    M(ByName, ByName, Method, std::unique_ptr<CHostProperty>, (const std::wstring& name), (name))              \
    M(GetOwnerElement, OwnerElement, Get, std::unique_ptr<CHostElement>, (), ())                               \
    V(GetCount, Count, Get) O(ByIndex, ByIndex, Method, CHostProperty)

#define HOST_Property_NAMES(N, A) N(Default) N(Type) N(Options) N(Name) N(Value)
#define HOST_Property_MEMBERS(M, V, O)                                                                         \
    M(GetValue, Value, Get, std::wstring, (), ()) M(SetValue, Value, Put, void, (const std::wstring& value), (value)) \
    V(GetDefault, Default, Get) V(GetType, Type, Get) V(GetOptions, Options, Get) V(GetName, Name, Get)

// --- Further host objects ------------------------------------------------------

#define HOST_Rect_NAMES(N, A) N(Width) N(Height) N(Left) N(Top) N(Right) N(Bottom)
#define HOST_Rect_MEMBERS(M, V, O)                                                                             \
    V(GetWidth, Width, Get) V(GetHeight, Height, Get) V(GetLeft, Left, Get) V(GetTop, Top, Get)                \
    V(GetRight, Right, Get) V(GetBottom, Bottom, Get)

#define HOST_Edge_NAMES(N, A) N(EdgeSize) N(Type) N(RotationAngle) N(Transparency) N(Softness) N(Color)
#define HOST_Edge_MEMBERS(M, V, O)                                                                             \
    V(GetEdgeSize, EdgeSize, Get) V(GetType, Type, Get) V(GetRotationAngle, RotationAngle, Get)                \
    V(GetTransparency, Transparency, Get) V(GetSoftness, Softness, Get) V(GetColor, Color, Get)

#define HOST_CharacterData_NAMES(N, A) N(Rect) N(Descent) N(BaselineOffset)
#define HOST_CharacterData_MEMBERS(M, V, O) \
    O(GetRect, Rect, Get, CHostRect) V(GetDescent, Descent, Get) V(GetBaselineOffset, BaselineOffset, Get)

#define HOST_Vertex_NAMES(N, A) N(X) N(Y)
#define HOST_Vertex_MEMBERS(M, V, O) V(GetX, X, Get) V(GetY, Y, Get)

#define HOST_LyricProperties_NAMES(N, A)                                                                       \
    N(TemplateID) N(SizeToFit) N(Justification) N(AutoErase) N(WordWrap) N(Numeric) N(IIUpdateEnable)          \
    N(ExternalUpdateEnable) N(AllCaps) N(StartUpdate) N(EndUpdate)
#define HOST_LyricProperties_MEMBERS(M, V, O)                                                                  \
    V(GetTemplateID, TemplateID, Get) V(GetSizeToFit, SizeToFit, Get) V(GetJustification, Justification, Get)  \
    V(GetAutoErase, AutoErase, Get) V(GetWordWrap, WordWrap, Get) V(GetNumeric, Numeric, Get)                  \
    V(GetIIUpdateEnable, IIUpdateEnable, Get) V(GetExternalUpdateEnable, ExternalUpdateEnable, Get)            \
    V(GetAllCaps, AllCaps, Get) V(StartUpdate, StartUpdate, Method) V(EndUpdate, EndUpdate, Method)

#define HOST_Position_NAMES(N, A) N(XPosition) N(YPosition) N(ZPosition)
#define HOST_Position_MEMBERS(M, V, O) \
    V(GetXPosition, XPosition, Get) V(GetYPosition, YPosition, Get) V(GetZPosition, ZPosition, Get)

#define HOST_Dimension_NAMES(N, A) N(Width) N(Height)
#define HOST_Dimension_MEMBERS(M, V, O) V(GetWidth, Width, Get) V(GetHeight, Height, Get)

#define HOST_Resolution_NAMES(N, A) N(Size) N(FramesPerSecond) N(AspectRatio)
#define HOST_Resolution_MEMBERS(M, V, O) \
    V(GetSize, Size, Get) V(GetFramesPerSecond, FramesPerSecond, Get) V(GetAspectRatio, AspectRatio, Get)

#define HOST_StaticObject_NAMES(N, A) N(Properties) N(ID) N(Class)
#define HOST_StaticObject_MEMBERS(M, V, O) \
    O(GetProperties, Properties, Get, CHostProperties) V(GetID, ID, Get) V(GetClass, Class, Get)

#define HOST_GL_NAMES(N, A)                                                                                    \
    N(Begin) N(End) N(Flush) N(Finish) N(ReadPixels) N(Clear) N(Color3f) N(Vertex2i) N(Enable) N(Disable)      \
    N(ShadeModel) N(Color4f) N(Materialfv) N(Materialf) N(GenLists) N(NewList) N(EndList) N(CallList)          \
    N(Translatef) N(Scalef) N(Vertex3f) N(BlendFunc) N(Normal3f) N(DepthMask) N(IsEnabled) N(GetBooleanv)      \
    N(GetIntegerv) N(GetDoublev) N(UnProject) N(Project)
#define HOST_GL_MEMBERS(M, V, O)                                                                               \
    V(Begin, Begin, Method) V(End, End, Method) V(Flush, Flush, Method) V(Finish, Finish, Method)              \
    V(ReadPixels, ReadPixels, Method) V(Clear, Clear, Method) V(Color3f, Color3f, Method)                      \
    V(Vertex2i, Vertex2i, Method) V(Enable, Enable, Method) V(Disable, Disable, Method)                        \
    V(ShadeModel, ShadeModel, Method) V(Color4f, Color4f, Method) V(Materialfv, Materialfv, Method)            \
    V(Materialf, Materialf, Method) V(GenLists, GenLists, Method) V(NewList, NewList, Method)                  \
    V(EndList, EndList, Method) V(CallList, CallList, Method) V(Translatef, Translatef, Method)                \
    V(Scalef, Scalef, Method) V(Vertex3f, Vertex3f, Method) V(BlendFunc, BlendFunc, Method)                    \
    V(Normal3f, Normal3f, Method) V(DepthMask, DepthMask, Method) V(IsEnabled, IsEnabled, Method)              \
    V(GetBooleanv, GetBooleanv, Method) V(GetIntegerv, GetIntegerv, Method) V(GetDoublev, GetDoublev, Method)  \
    V(UnProject, UnProject, Method) V(Project, Project, Method)

#define HOST_Namespace_NAMES(N, A) N(PropertyCount) N(Name) N(Property)
#define HOST_Namespace_MEMBERS(M, V, O) \
    V(GetPropertyCount, PropertyCount, Get) V(GetName, Name, Get) O(Property, Property, Method, CHostPropertyDef)

#define HOST_PropertyDef_NAMES(N, A) N(Default) N(Type) N(Options) N(Name) N(Value) N(ObjectCount) N(ObjectName)
#define HOST_PropertyDef_MEMBERS(M, V, O)                                                                      \
    V(GetDefault, Default, Get) V(GetType, Type, Get) V(GetOptions, Options, Get) V(GetName, Name, Get)        \
    V(GetValue, Value, Get) V(GetObjectCount, ObjectCount, Get) V(GetObjectName, ObjectName, Get)

#define HOST_Playlist_NAMES(N, A) N(Add) N(AddWithParam) N(DeleteAll) N(AddField) N(Save) N(Caption)
#define HOST_Playlist_MEMBERS(M, V, O)                                                                         \
    V(Add, Add, Method) V(AddWithParam, AddWithParam, Method) V(DeleteAll, DeleteAll, Method)                  \
    V(AddField, AddField, Method) V(Save, Save, Method) V(GetCaption, Caption, Get)

#define HOST_Plugin_NAMES(N, A) N(Execute)
#define HOST_Plugin_MEMBERS(M, V, O) V(Execute, Execute, Method)

#define HOST_CustomList_NAMES(N, A) N(Get) N(Count)
#define HOST_CustomList_MEMBERS(M, V, O) O(Get, Get, Method, CHostCustomItem) V(GetCount, Count, Get)

#define HOST_CustomItem_NAMES(N, A) N(Name) N(CommandID)
#define HOST_CustomItem_MEMBERS(M, V, O) V(GetName, Name, Get) V(GetCommandID, CommandID, Get)
