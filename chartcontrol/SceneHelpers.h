#pragma once
// Scene and resource helpers of the chart control that its editor pages and
// the text-vote chart use. Host errors propagate (CHostException).

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CHostApplication;
class CHostKeyFrames;
class CHostScene;

// A new unique path in the temporary folder, named "MVT....<extension>"
// ("lno" or ".lno"); no file is left there. False when the system refuses.
bool MakeTempFileName(std::wstring& path, const std::wstring& extension);

// A temporary file, deleted when this goes, however the work on it ends.
class CTemporaryFile {
public:
    explicit CTemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    ~CTemporaryFile() { ::DeleteFileW(m_path.c_str()); }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Writes this module's resource of type "BINARY" and that id into a new file
// at `path`. A missing resource, a file that cannot be made and a short write
// are told in a message box and give false.
bool ExtractBinaryResource(const std::wstring& path, UINT resourceId);

// The host's keyframe attribute of "XPos", "YPos", "XScale" or "YScale" (in
// any case); -1 for any other name.
long KeyframeChannelCode(const std::wstring& channelName);

// One keyframe's place, value and interpolation.
struct KeyframePoint {
    long frame = 0;
    double value = 0;
    long interpolation = 0;
};
struct KeyframeRange {
    KeyframePoint lowest;
    KeyframePoint highest;
};

// The keyframes of the scene's node of that name; null when there is none.
std::unique_ptr<CHostKeyFrames> NodeKeyFrames(CHostScene& scene, const std::wstring& nodeName);
// The lowest- and highest-valued keyframes on the channel (of equal values
// the last is the lowest, the first the highest); false when there is none.
bool FindKeyframeRange(CHostKeyFrames& keys, long channel, KeyframeRange& range);
// Sets min + (max - min) * high at the highest keyframe's frame, then
// min + (max - min) * low at the lowest's, each with its own interpolation.
void MoveKeyframeRange(CHostKeyFrames& keys, long channel, const KeyframeRange& range, double low, double high);

// Moves the node's largest keyframe on the channel ("XPos", "YPos",
// "XScale" or "YScale", in any case) to min + (max - min) * high and its
// smallest to min + (max - min) * low, each at its own frame and
// interpolation; nothing when the channel has no keyframe.
void SetKeyframeRange(CHostScene& scene, const std::wstring& nodeName, double low, double high,
                      const std::wstring& channelName);

// Sets the text of the scene's template of that name, as it stands.
void SetNodeText(CHostScene& scene, const std::wstring& templateName, const std::wstring& text);

// The value rounded half up to a whole number, as "42 %".
std::wstring FormatPercent(double value);

// A 24-bit image list of cx x cy cells (growing by `grow`) from this
// module's bitmap resource, its pure magenta pixels replaced by `colour`.
// The caller destroys the list. False when the bitmap or the list cannot be made.
bool LoadImageListFromBitmap(UINT resourceId, HIMAGELIST& list, int cx, int cy, int grow, COLORREF colour);

// Appends the names of the active scene's top-level nodes of that host type.
void ListNodesOfType(CHostApplication& application, long type, std::vector<std::wstring>& names);

// The names of the scene's transitions, in the host's order.
std::vector<std::wstring> TransitionNames(CHostScene& scene);
