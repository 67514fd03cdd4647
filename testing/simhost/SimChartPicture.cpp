#include "testing/simhost/SimChartPicture.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/text/WideFormat.h"
#include "testing/geohost/MeshPictures.h"
#include "testing/simhost/SimHost.h"

namespace {

using namespace Gdiplus;

const wchar_t kPlotvaneGroup[] = L"Velmora.LEIFlet.Plotvane.1::Plotvane";
constexpr long kPieStartChannel = 1003;
constexpr long kPieSweepChannel = 1004;
constexpr int kWidth = 1280, kHeight = 520;
constexpr int kMaxLabels = 12;

typedef int32_t(__cdecl* TrellanPointFn)(const wchar_t* guid, int32_t index, double* totalDays, double* value);

struct Point2 {
    double x, y;
};

std::vector<Point2> TrellanPoints(const std::wstring& guid)
{
    std::vector<Point2> points;
    HMODULE trellan = GetModuleHandleW(L"Trellan.dll");
    auto point = trellan ? reinterpret_cast<TrellanPointFn>(reinterpret_cast<void*>(GetProcAddress(trellan, "TrellanPoint")))
                         : nullptr;
    Point2 p{};
    for (int32_t i = 0; point && point(guid.c_str(), i, &p.x, &p.y); ++i)
        points.push_back(p);
    return points;
}

std::wstring TextOf(const CSimValue& value)
{
    const VARIANT& v = value.Get();
    return v.vt == VT_BSTR && v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
}

// The text a chart's template or label node shows, or null when it has none.
const std::wstring* ShownText(CSimScene& scene, const std::wstring& name)
{
    if (CSimElement* element = scene.Template(name))
        return element->text ? &element->text->text : nullptr;
    CSimNode* node = scene.Find(name);
    if (!node || !node->visible || node->elements.empty() || !node->elements.front()->text)
        return nullptr;
    return &node->elements.front()->text->text;
}

class CPicture {
public:
    CPicture() : m_bitmap(kWidth, kHeight, PixelFormat24bppRGB), m_graphics(&m_bitmap)
    {
        m_graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        m_graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
        m_graphics.Clear(Color(255, 250, 250, 250));
        // Whatever family the system has: a bare Wine prefix knows few by name.
        InstalledFontCollection installed;
        std::vector<FontFamily> families(static_cast<size_t>(std::max(installed.GetFamilyCount(), 0)));
        INT found = 0;
        if (!families.empty())
            installed.GetFamilies(static_cast<INT>(families.size()), families.data(), &found);
        const FontFamily* family = nullptr;
        for (INT i = 0; i < found && !family; ++i) {
            WCHAR name[LF_FACESIZE] = {};
            families[static_cast<size_t>(i)].GetFamilyName(name);
            if (wcscmp(name, L"Tahoma") == 0)
                family = &families[static_cast<size_t>(i)];
        }
        if (!family && found > 0)
            family = &families[0];
        if (family) {
            m_font = std::make_unique<Font>(family, 11.0f, FontStyleRegular, UnitPixel);
            m_titleFont = std::make_unique<Font>(family, 15.0f, FontStyleBold, UnitPixel);
            if (m_titleFont->GetLastStatus() != Ok)
                m_titleFont = std::make_unique<Font>(family, 15.0f, FontStyleRegular, UnitPixel);
        }
    }

    Graphics& G() { return m_graphics; }
    Bitmap& B() { return m_bitmap; }

    void Text(const std::wstring& text, float x, float y, bool title = false, StringAlignment align = StringAlignmentNear)
    {
        Font* font = title ? m_titleFont.get() : m_font.get();
        if (!font || font->GetLastStatus() != Ok)
            return;
        StringFormat format;
        format.SetAlignment(align);
        SolidBrush ink(Color(255, 30, 30, 30));
        m_graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font, PointF(x, y), &format, &ink);
    }

private:
    Bitmap m_bitmap;
    Graphics m_graphics;
    std::unique_ptr<Font> m_font;
    std::unique_ptr<Font> m_titleFont;
};

const Color kSliceColours[] = {Color(255, 66, 133, 244), Color(255, 219, 68, 55), Color(255, 244, 180, 0),
                               Color(255, 15, 157, 88),  Color(255, 171, 71, 188), Color(255, 0, 172, 193)};

void DrawLineChart(CPicture& picture, CSimHost& host, CSimScene& scene, CSimNode& chart, const RectF& area)
{
    Graphics& g = picture.G();
    picture.Text(chart.name, area.X, area.Y - 34, true);
    std::wstring quote;
    for (const wchar_t* field : {L"symbol", L"last", L"status"})
        if (const std::wstring* text = ShownText(scene, chart.name + L"." + field))
            if (!text->empty() && *text != L" ")
                quote += (quote.empty() ? L"" : L"   ") + std::wstring(field) + L" " + *text;
    picture.Text(quote, area.X, area.Y - 16);

    Pen frame(Color(255, 150, 150, 150), 1.0f);
    g.DrawRectangle(&frame, area);
    const std::vector<Point2> points = TrellanPoints(TextOf(host.PropertyValue(chart, kPlotvaneGroup, L"TrellanGUID")));
    if (points.size() >= 2) {
        double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
        for (const Point2& p : points) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
        const double spanX = std::max(maxX - minX, 1e-9), spanY = std::max(maxY - minY, 1e-9);
        std::vector<PointF> line;
        for (const Point2& p : points)
            line.emplace_back(static_cast<REAL>(area.X + (p.x - minX) / spanX * area.Width),
                              static_cast<REAL>(area.GetBottom() - (p.y - minY) / spanY * area.Height));
        Pen pen(Color(255, 25, 90, 200), 2.0f);
        g.DrawLines(&pen, line.data(), static_cast<INT>(line.size()));
    }

    // The labels as the scene shows them, spread along their axes.
    std::vector<std::wstring> dates, values;
    for (int n = 1; n <= kMaxLabels; ++n) {
        if (const std::wstring* text = ShownText(scene, FormatWide(L"%s.x%d", chart.name.c_str(), n)))
            dates.push_back(*text);
        if (const std::wstring* text = ShownText(scene, FormatWide(L"%s.y%d", chart.name.c_str(), n)))
            values.push_back(*text);
    }
    for (size_t i = 0; i < dates.size(); ++i) {
        const float x = dates.size() > 1 ? area.X + area.Width * i / (dates.size() - 1) : area.X;
        picture.Text(dates[i], x, area.GetBottom() + 4, false, StringAlignmentCenter);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const float y = values.size() > 1 ? area.GetBottom() - area.Height * i / (values.size() - 1) : area.GetBottom();
        picture.Text(values[i], area.X - 6, y - 7, false, StringAlignmentFar);
    }
}

void DrawBars(CPicture& picture, CSimHost& host, const std::vector<CSimNode*>& bars, const RectF& area)
{
    picture.Text(L"Bars", area.X, area.Y - 34, true);
    float widest = 1e-6f, tallest = 1e-6f;
    for (CSimNode* bar : bars) {
        const RectF extent = MeshExtent(*host.Geometry().ObjectOf(*bar));
        widest = std::max(widest, extent.Width);
        tallest = std::max(tallest, extent.Height);
    }
    const float slot = area.Width / std::max<size_t>(bars.size(), 1);
    const float scale = std::min(0.8f * slot / widest, 0.85f * area.Height / tallest);
    for (size_t i = 0; i < bars.size(); ++i) {
        const CStandInGeoObject& object = *host.Geometry().ObjectOf(*bars[i]);
        const RectF extent = MeshExtent(object);
        // Every bar stands on the same floor line.
        const MeshView view{PointF(area.X + slot * (i + 0.5f) - scale * (extent.X + extent.Width / 2),
                                   area.GetBottom() - scale * extent.GetBottom()),
                            scale};
        DrawMesh(picture.G(), object, view);
        float bottom = 0, top = 0;
        const std::wstring height = MeshHeights(object, bottom, top) ? FormatWide(L"%.2f", top - bottom) : L"-";
        picture.Text(bars[i]->name + L" " + height, area.X + slot * (i + 0.5f), area.GetBottom() + 4, false,
                     StringAlignmentCenter);
    }
}

void DrawPie(CPicture& picture, CSimNode& group, long frame, const RectF& area)
{
    picture.Text(group.name + FormatWide(L" at frame %ld", frame), area.X, area.Y - 34, true);
    const float size = std::min(area.Width, area.Height);
    const RectF circle(area.X + (area.Width - size) / 2, area.Y, size, size);
    Pen edge(Color(255, 255, 255, 255), 2.0f);
    size_t colour = 0;
    for (CSimNode* slice : group.children) {
        double start = 0, sweep = 0;
        if (!ChannelValueAt(*slice, kPieSweepChannel, frame, sweep))
            continue;
        ChannelValueAt(*slice, kPieStartChannel, frame, start);
        SolidBrush brush(kSliceColours[colour++ % (sizeof kSliceColours / sizeof kSliceColours[0])]);
        // Angles run clockwise from twelve o'clock.
        picture.G().FillPie(&brush, circle, static_cast<REAL>(start - 90), static_cast<REAL>(sweep));
        picture.G().DrawPie(&edge, circle, static_cast<REAL>(start - 90), static_cast<REAL>(sweep));
        const double middle = (start + sweep / 2 - 90) * M_PI / 180;
        const float x = circle.X + size / 2 + static_cast<float>(std::cos(middle)) * size * 0.33f;
        const float y = circle.Y + size / 2 + static_cast<float>(std::sin(middle)) * size * 0.33f;
        picture.Text(FormatWide(L"%s %.0f%%", slice->name.c_str(), sweep / 3.6), x, y - 7, false, StringAlignmentCenter);
    }
}

bool HasPieKeyframes(const CSimNode& group)
{
    double value = 0;
    for (const CSimNode* child : group.children)
        if (ChannelValueAt(*child, kPieSweepChannel, 0, value))
            return true;
    return false;
}

} // namespace

bool ChannelValueAt(const CSimNode& node, long channel, long frame, double& value)
{
    for (const auto& entry : node.transforms) {
        const CSimKeyFrame* before = nullptr;
        const CSimKeyFrame* after = nullptr;
        for (const CSimKeyFrame* key : entry.second->keyFrames->frames) {
            if (key->attribute != channel)
                continue;
            if (key->frame <= frame)
                before = key;  // frames are kept in order
            else if (!after)
                after = key;
        }
        if (!before && !after)
            continue;
        if (!before || !after || after->frame == before->frame)
            value = before ? before->value : after->value;
        else
            value = before->value + (after->value - before->value) * (frame - before->frame) / (after->frame - before->frame);
        return true;
    }
    return false;
}

bool WriteChartPicture(CSimHost& host, CSimScene& scene, const std::wstring& path, std::wstring& error)
{
    CPicture picture;
    std::vector<CSimNode*> lines, bars, pies;
    for (CSimNode* node : scene.nodes) {
        if (node->type == SimNodeGeoPlugin && !TextOf(host.PropertyValue(*node, kPlotvaneGroup, L"TrellanGUID")).empty() &&
            TextOf(host.PropertyValue(*node, kPlotvaneGroup, L"TrellanGUID")) != L"???")
            lines.push_back(node);
        if (host.Geometry().ObjectOf(*node))
            bars.push_back(node);
        if (node->type == SimNodeGroup && HasPieKeyframes(*node))
            pies.push_back(node);
    }
    if (!lines.empty())
        DrawLineChart(picture, host, scene, *lines.front(), RectF(70, 60, 520, 380));
    if (!bars.empty())
        DrawBars(picture, host, bars, RectF(650, 60, 280, 380));
    if (!pies.empty())
        DrawPie(picture, *pies.front(), scene.animationLength, RectF(970, 60, 290, 290));
    picture.Text(L"Scene \"" + scene.name + L"\"", 10, kHeight - 22);
    if (!SavePicturePng(picture.B(), path.c_str())) {
        error = L"the picture could not be written";
        return false;
    }
    return true;
}
