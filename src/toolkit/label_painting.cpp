#include "toolkit/label_painting.h"

#include "toolkit/colours.h"
#include "toolkit/gradient_frame.h"
#include "toolkit/unique_handles.h"
#include "toolkit/visible_text.h"

namespace toolkit {
namespace {

constexpr int MaxBorder = static_cast<int>(LabelBorder::Gradient);

UINT HorizontalFormat(HorizontalAlignment alignment) {
    switch (alignment) {
    case HorizontalAlignment::Left: return DT_LEFT;
    case HorizontalAlignment::Centre: return DT_CENTER;
    case HorizontalAlignment::Right: return DT_RIGHT;
    }
    return DT_LEFT;
}

UINT VerticalFormat(VerticalAlignment alignment) {
    switch (alignment) {
    case VerticalAlignment::Top: return DT_TOP;
    case VerticalAlignment::Centre: return DT_VCENTER;
    case VerticalAlignment::Bottom: return DT_BOTTOM;
    }
    return DT_VCENTER;
}

// The stock DEFAULT_GUI_FONT as a record, for drawing it with solid edges.
LOGFONTA DefaultGuiFontRecord() {
    LOGFONTA record{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(record), &record);
    return record;
}

void DrawCaption(HDC dc, const RECT& area, const LabelLook& look, const std::string& caption) {
    UniqueFont font;
    if (look.HasFont || look.OverColourKey) {
        const LOGFONTA record =
            LabelFontRecord(look.HasFont ? look.Font : DefaultGuiFontRecord(), look.OverColourKey);
        font.reset(CreateFontIndirectA(&record));
    }
    const ScopedSelect selected(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.TextColour);
    const UINT format = LabelTextFormat(look);
    const std::size_t length = VisibleTextLength(dc, caption, area, format);
    RECT text = area;
    DrawTextA(dc, caption.data(), static_cast<int>(length), &text, format);
}

}  // namespace

LabelLook LookOf(const LabelProperties& properties) {
    LabelLook look;
    look.Border = HeldBorder(static_cast<int>(properties.Border));
    look.FrameWidth = properties.GradientFrameWidth;
    for (int i = 0; i < 3; ++i) look.FrameColours[i] = properties.GradientFrameColours[i];
    look.HasFont = properties.Font != nullptr;
    if (properties.Font) look.Font = *properties.Font;
    look.TextColour = properties.TextColour;
    look.BackColour = properties.BackColour;
    look.HAlign = properties.HAlign;
    look.VAlign = properties.VAlign;
    look.WordWrap = properties.WordWrap;
    return look;
}

LabelBorder HeldBorder(int border) {
    return static_cast<LabelBorder>(border < 0 ? 0 : (border > MaxBorder ? MaxBorder : border));
}

bool DrawsGradientFrame(const LabelLook& look) {
    return look.Border == LabelBorder::Gradient && look.FrameWidth > 0 &&
           FrameGradient(look.FrameColours).Drawable();
}

RECT LabelTextArea(const RECT& client, const LabelLook& look) {
    RECT area = client;
    if (!DrawsGradientFrame(look)) return area;
    InflateRect(&area, -look.FrameWidth, -look.FrameWidth);
    // A frame wider than half the label leaves no room, not a negative one.
    if (area.right < area.left) area.left = area.right = (client.left + client.right) / 2;
    if (area.bottom < area.top) area.top = area.bottom = (client.top + client.bottom) / 2;
    return area;
}

UINT LabelTextFormat(const LabelLook& look) {
    const UINT format = DT_NOCLIP | HorizontalFormat(look.HAlign);
    if (look.WordWrap) return format | DT_WORDBREAK | DT_VCENTER;
    return format | DT_SINGLELINE | VerticalFormat(look.VAlign);
}

LOGFONTA LabelFontRecord(const LOGFONTA& font, bool overColourKey) {
    LOGFONTA record = font;
    record.lfCharSet = DEFAULT_CHARSET;
    record.lfOutPrecision = OUT_DEFAULT_PRECIS;
    record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    record.lfQuality = overColourKey ? NONANTIALIASED_QUALITY : PROOF_QUALITY;
    record.lfPitchAndFamily = DEFAULT_PITCH;
    return record;
}

void PaintLabel(HDC dc, const RECT& client, const LabelLook& look, const std::string& caption) {
    const SavedDcState saved(dc);
    if (DrawsGradientFrame(look)) DrawGradientFrame(dc, client, look.FrameWidth, FrameGradient(look.FrameColours));
    const RECT area = LabelTextArea(client, look);
    // DrawText with DT_NOCLIP does not clip; this keeps the text in the area.
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const UniqueBrush background(CreateSolidBrush(ResolveColour(look.BackColour)));
    FillRect(dc, &area, background.get());
    if (caption.empty()) return;
    DrawCaption(dc, area, look, caption);
}

}  // namespace toolkit
