#pragma once
// The host application: the road to canvases, frame buffers and the host's
// registration and registry services.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "hostclient/HostObject.h"

class CHostCanvas;
class CHostFrameBuffer;
class CHostVersion;

class CHostApplication : public CHostObject {
public:
    // Takes a reference of its own: a local wrapper attached to a pointer the
    // caller keeps leaves that pointer's reference count as it found it.
    void Attach(IDispatch* dispatch);

    std::unique_ptr<CHostCanvas> GetActiveCanvas();
    // The plug-in's interface version ("0001") and its name.
    void RegisterLEIFlet(const std::wstring& version, const std::wstring& name);
    long RegisterMenuItem(const std::wstring& pluginName, const std::wstring& menuPath, const std::wstring& command);
    long RegisterObjectProperty(const std::wstring& group, const std::wstring& name, long type,
                                const std::wstring& defaultValue, const std::vector<std::wstring>& objectTypes,
                                const std::wstring& last);
    long RegisterObjectPropertyEditor(const std::wstring& group, const std::wstring& editor,
                                      const std::vector<std::wstring>& objectTypes);
    // The default whenever the host's answer is not a long.
    long GetRegistryInt(const std::wstring& section, const std::wstring& key, long defaultValue);
    void SetRegistryInt(const std::wstring& section, const std::wstring& key, long value);
    long MDIFrame(const std::wstring& caption, const std::array<long, 8>& values, const std::wstring& progId);
    std::unique_ptr<CHostFrameBuffer> FrameBuffer(long index);
    long GetFrameBuffers();
    long GetActiveFrameBuffer();
    void Open(const std::wstring& path);
    std::unique_ptr<CHostVersion> Version();

private:
    enum Name {
        ActiveCanvas, RegisterObjectProperty_, ShowInBrowser, RegisterObjectPropertyEditor_,
        RegisterObjectPropertyChanges, Open_, SaveAs, Image, DrawList, CustomProperties, RegisterMenuItem_,
        RegisterObject, RegisterObjectEventHandler, Context, MDIFrame_, SetRegistry, GetRegistry,
        RegisterLEIFlet_, ActiveFrameBuffer, FrameBuffers, FrameBufferScene, SetPropertyManager, TransferView,
        FrameBufferPlaying, NamespaceCount, Namespace, GL, Plugins, IsCombine, CreatePlaylist,
        CreateCustomPlaylist, Version_, ActivateFrame, CloseWindow, FrameBuffer_, Message, Read, IICommand,
        NameCount
    };
    static const wchar_t* const s_names[NameCount];
    static DISPID s_ids[NameCount];
    static bool s_resolved;
};
