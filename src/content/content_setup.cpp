#include "content/content_setup.h"

#include <windows.h>

#include "app/program_values.h"
#include "content/body_text.h"
#include "content/default_web_address.h"
#include "content/label_font.h"
#include "forms/forms.h"
#include "settings/conversions.h"
#include "settings/settings_reader.h"
#include "toolkit/toolkit.h"

namespace {

// Magenta is never drawn: the colour key cuts it out and lets mouse input
// through to the backdrop beneath.
constexpr COLORREF KeyColour = RGB(255, 0, 255);
constexpr BYTE UnusedKeyAlpha = 200;  // ignored: only LWA_COLORKEY is given
constexpr int AutoCloseTickMilliseconds = 1000;
constexpr int HighestBorderStyle = 6;

// Where a label goes, with the defaults of its rectangle section.
struct LabelPlacement {
    const char* Label;
    const char* Section;
    const char* Left;
    const char* Top;
    const char* Width;
    const char* Height;
};

const LabelPlacement TitlePlacement{TitleLabelName, "标题矩形", "108", "91", "304", "56"};
const LabelPlacement BodyPlacement{BodyLabelName, "正文矩形", "52", "184", "416", "390"};
const LabelPlacement LinkPlacement{LinkLabelName, "链接矩形", "52", "616", "220", "20"};

int ReadInt(const char* section, const char* key, const char* defaultText) {
    return settings::TextToInt(settings::ReadSetting(section, key, defaultText));
}

// Read and applied one value at a time, in this order.
void PlaceLabel(const LabelPlacement& placement) {
    const char* label = placement.Label;
    toolkit::SetControlLeft(ContentWindow, label, ReadInt(placement.Section, "左边", placement.Left));
    toolkit::SetControlTop(ContentWindow, label, ReadInt(placement.Section, "顶边", placement.Top));
    toolkit::SetControlWidth(ContentWindow, label, ReadInt(placement.Section, "宽度", placement.Width));
    toolkit::SetControlHeight(ContentWindow, label, ReadInt(placement.Section, "高度", placement.Height));
    // Above 6 means none; the label itself shows a negative style as none.
    int border = ReadInt(placement.Section, "边框类型", "0");
    if (border > HighestBorderStyle) border = 0;
    toolkit::SetLabelBorder(ContentWindow, label, border);
}

// Colour, then font, then caption: the order in which the label takes them.
void StyleLabel(const char* label, const char* fontSection, settings::FontSpec (*buildFont)(std::string&)) {
    const std::string colourName = settings::ReadSetting(fontSection, "颜色", "黑色");
    toolkit::SetLabelTextColour(ContentWindow, label, settings::ColourFromName(colourName));
    std::string caption;
    const settings::FontSpec font = buildFont(caption);
    toolkit::SetLabelFont(ContentWindow, label, LogFontFromSpec(font));
    toolkit::SetLabelCaption(ContentWindow, label, caption);
}

void MakeMagentaSeeThrough() {
    toolkit::SetWindowBackColour(ContentWindow, KeyColour);
    HWND window = toolkit::WindowHandle(ContentWindow);
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, KeyColour, UnusedKeyAlpha, LWA_COLORKEY);
}

}  // namespace

settings::FontSpec BuildTitleFont(std::string& caption) {
    settings::FontSpec font = settings::ReadFontSpec("标题字体", "楷体_GB2312", "28");
    caption = settings::ReadSetting("主配置", "程序标题", "公告");
    return font;
}

settings::FontSpec BuildBodyFont(std::string& caption) {
    settings::FontSpec font = settings::ReadFontSpec("正文字体", "宋体", "12");
    caption = LoadBodyText();
    return font;
}

settings::FontSpec BuildLinkFont(std::string& caption) {
    settings::FontSpec font = settings::ReadFontSpec("链接字体", "宋体", "10");
    caption = settings::ReadSetting("主配置", "链接显示", DefaultWebAddress);
    return font;
}

void OnContentCreated() {
    MakeMagentaSeeThrough();

    PlaceLabel(TitlePlacement);
    PlaceLabel(BodyPlacement);
    StyleLabel(TitleLabelName, "标题字体", BuildTitleFont);
    StyleLabel(BodyLabelName, "正文字体", BuildBodyFont);

    // Only the exact word shows the link; otherwise it stays hidden, so it
    // can be neither seen nor clicked.
    if (settings::IsYes(settings::ReadSetting("主配置", "显示链接", "否"))) {
        toolkit::SetControlVisible(ContentWindow, LinkLabelName, true);
        PlaceLabel(LinkPlacement);
        StyleLabel(LinkLabelName, "链接字体", BuildLinkFont);
    }

    if (DisplaySeconds != 0) toolkit::SetTimerPeriod(ContentWindow, AutoCloseTimerName, AutoCloseTickMilliseconds);
}
