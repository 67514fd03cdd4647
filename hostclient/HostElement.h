#pragma once
// An element of a node: a text, image, movie or template.

#include <memory>
#include <string>

#include "hostclient/HostObject.h"

class CHostImage;
class CHostText;

class CHostElement : public CHostObject {
public:
    void Attach(IDispatch* dispatch);

    std::wstring GetName();
    void SetName(const std::wstring& name);
    std::unique_ptr<CHostText> GetText();
    std::unique_ptr<CHostImage> GetImage();
    // Nothing happens when the host's element lacks the member.
    void SetJustificationX(long justification);
    void SetJustificationY(long justification);

private:
    // "Image" is resolved twice: the getter uses the first cell, the setter the second.
    enum Name {
        ClipRect, Properties, Rect, Text, Image, Name_, TemplateRect, AntiAlias, Update, RGBAImage, UseTemplateRect,
        Type, ImagePut, Verticies, Node, DeleteAll, GetCaretPos, RowColor, SelectedRowColor, SetCaretPos,
        HandleChar, Justify, AddTemplate, SetActive, Filename, InPoint, OutPoint, Loop, IIUpdateEnable,
        IgnorePauses, PlayToEnd, Preload, ExternalUpdateEnable, LoopFrame, RefreshTexture, ReplaceMode,
        LyricProperties, LoadFromURL, JustificationX, JustificationY, NameCount
    };
    static const wchar_t* const s_names[NameCount];
    static DISPID s_ids[NameCount];
    static bool s_resolved;
};
