// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/form_layout.h"

#include <array>

#include "runtime/titles.h"

namespace window {

namespace {

using enum ControlKind;
using enum FontId;
using enum Colour;

// A text box is described for screen readers by the caption that explains it.
constexpr std::array controls{
    // Title area
    ControlRow{"Label1", Label, 4920, 840, 4335, 375, runtime::applicationName, F2, PaleYellow, 0,
               nullptr},
    ControlRow{"Label2", Label, 6120, 1320, 1215, 255, "断面个数说明", F1, PaleYellow, 2, nullptr},
    ControlRow{"Text1", TextBox, 5160, 1560, 3135, 270, "", F1, Platform, 1, "断面个数说明"},

    // Results panel: section and point being entered
    ControlRow{"Label21", Label, 3840, 5040, 1455, 255, "输入断面号说明", F1, PaleYellow, 33,
               nullptr},
    ControlRow{"Text11", TextBox, 2520, 5280, 3855, 270, "", F1, Platform, 32, "输入断面号说明"},
    ControlRow{"Label22", Label, 7680, 5040, 1815, 255, "断面中测量点数说明", F1, PaleYellow, 35,
               nullptr},
    ControlRow{"Text12", TextBox, 6840, 5280, 3615, 270, "", F1, Platform, 34,
               "断面中测量点数说明"},
    ControlRow{"Label3", Label, 3600, 5760, 855, 255, "断面序号", F1, PaleYellow, 3, nullptr},
    ControlRow{"Label7", Label, 2520, 6000, 135, 255, "I", F1, PaleYellow, 11, nullptr},
    ControlRow{"Text2", TextBox, 2640, 6000, 2655, 270, "", F1, Platform, 4, "断面序号"},
    ControlRow{"Label4", Label, 5880, 5760, 855, 255, "测量点号", F1, PaleYellow, 6, nullptr},
    ControlRow{"Label8", Label, 5520, 6000, 135, 255, "N", F1, PaleYellow, 12, nullptr},
    ControlRow{"Text3", TextBox, 5640, 6000, 1335, 270, "", F1, Platform, 5, "测量点号"},
    ControlRow{"Label5", Label, 7680, 5760, 615, 255, "高  程", F1, PaleYellow, 8, nullptr},
    ControlRow{"Label9", Label, 7200, 6000, 135, 255, "H", F1, PaleYellow, 13, nullptr},
    ControlRow{"Text4", TextBox, 7320, 6000, 1335, 270, "", F1, Platform, 7, "高程"},
    ControlRow{"Label6", Label, 9000, 5760, 1455, 255, "至断面端点距离", F1, PaleYellow, 10,
               nullptr},
    ControlRow{"Label10", Label, 8880, 6000, 135, 255, "S", F1, PaleYellow, 14, nullptr},
    ControlRow{"Text5", TextBox, 9000, 6000, 1335, 270, "", F1, Platform, 9, "至断面端点距离"},

    // Results panel: areas, spacing and volumes
    ControlRow{"Label11", Label, 2880, 6720, 1215, 255, "第一断面面积", F1, PaleYellow, 18,
               nullptr},
    ControlRow{"Label16", Label, 2400, 6960, 255, 255, "S1", F1, PaleYellow, 27, nullptr},
    ControlRow{"Text6", TextBox, 2640, 6960, 1695, 270, "", F1, Platform, 17, "第一断面面积"},
    ControlRow{"Label12", Label, 5040, 6720, 1215, 255, "第二断面面积", F1, PaleYellow, 19,
               nullptr},
    ControlRow{"Label17", Label, 4560, 6960, 255, 255, "S2", F1, PaleYellow, 28, nullptr},
    ControlRow{"Text7", TextBox, 4800, 6960, 1695, 270, "", F1, Platform, 21, "第二断面面积"},
    ControlRow{"Label13", Label, 6960, 6720, 1215, 255, "相邻断面间距", F1, PaleYellow, 20,
               nullptr},
    ControlRow{"Label18", Label, 6720, 6960, 255, 255, "DS", F1, PaleYellow, 29, nullptr},
    ControlRow{"Text8", TextBox, 6960, 6960, 1215, 270, "", F1, Platform, 22, "相邻断面间距"},
    ControlRow{"Label14", Label, 8760, 6720, 1575, 255, "相邻断面间距方量", F1, PaleYellow, 24,
               nullptr},
    ControlRow{"Label19", Label, 8520, 6960, 135, 255, "D", F1, PaleYellow, 30, nullptr},
    ControlRow{"Text9", TextBox, 8640, 6960, 1815, 270, "", F1, Platform, 23, "相邻断面间距方量"},
    ControlRow{"Label15", Label, 6360, 7560, 855, 255, "总 方 量", F1, PaleYellow, 25, nullptr},
    ControlRow{"Label20", Label, 5520, 7800, 375, 255, "[D]", F1, PaleYellow, 31, nullptr},
    ControlRow{"Text10", TextBox, 5880, 7800, 1815, 270, "", F1, Platform, 26, "总方量"},

    // Buttons
    ControlRow{"Command1", Button, 4680, 8400, 975, 495, "进行计算", F1, LightGrey, 15, nullptr},
    ControlRow{"Command2", Button, 6240, 8400, 975, 495, "退出计算", F1, LightGrey, 16, nullptr},
    ControlRow{"Command3", Button, 7680, 8400, 975, 495, "打 印", F1, Pink, 48, nullptr},

    // Schematic: point labels, centre line caption and axis captions
    ControlRow{"Label25", Label, 10560, 1800, 735, 255, "(H1,S1)", F3, PaleYellow, 38, nullptr},
    ControlRow{"Label26", Label, 11040, 1080, 735, 255, "(H2,S2)", F3, PaleYellow, 39, nullptr},
    ControlRow{"Label27", Label, 11640, 1680, 735, 255, "(H3,S3)", F3, PaleYellow, 40, nullptr},
    ControlRow{"Label28", Label, 12360, 1080, 735, 255, "(H4,-S4)", F3, PaleYellow, 41, nullptr},
    ControlRow{"Label29", Label, 13440, 1680, 735, 255, "(H5,-S5)", F3, PaleYellow, 42, nullptr},
    ControlRow{"Label30", Label, 13200, 2880, 735, 255, "(H6,-S6)", F3, PaleYellow, 43, nullptr},
    ControlRow{"Label31", Label, 12120, 2520, 735, 255, "(H7,-S7)", F3, PaleYellow, 44, nullptr},
    ControlRow{"Label32", Label, 11040, 2880, 735, 255, "(H8,S8)", F3, PaleYellow, 45, nullptr},
    ControlRow{"Label33", Label, 10680, 2280, 735, 255, "(H9,S9)", F3, PaleYellow, 46, nullptr},
    // The seven blanks push "S=0" onto a second line under the caption.
    ControlRow{"Label34", Label, 11520, 240, 975, 375, "道路中心线       S=0", F3, PaleYellow, 47,
               nullptr},
    ControlRow{"Label23", Label, 10080, 240, 255, 375, "H", F4, PaleYellow, 36, nullptr},
    ControlRow{"Label24", Label, 14280, 3360, 255, 375, "S", F4, PaleYellow, 37, nullptr},
};

constexpr std::array lines{
    // Results frame and its two band dividers
    LineRow{"Line25", 2160, 4800, 10920, 4800, Red, 3},
    LineRow{"Line24", 2160, 8160, 10920, 8160, Red, 3},
    LineRow{"Line26", 2160, 4800, 2160, 8160, Red, 3},
    LineRow{"Line27", 10920, 4800, 10920, 8160, Red, 3},
    LineRow{"Line21", 2160, 5640, 10920, 5640, Red, 3},
    LineRow{"Line23", 2160, 6480, 10920, 6480, Red, 3},

    // Outline of the cross-section through P1 ... P9
    LineRow{"Line1", 10440, 1800, 11400, 1320, WindowText, 2},
    LineRow{"Line2", 11400, 1320, 12000, 1680, WindowText, 2},
    LineRow{"Line3", 12000, 1680, 12720, 1320, WindowText, 2},
    LineRow{"Line4", 12720, 1320, 13440, 1920, WindowText, 2},
    LineRow{"Line5", 13440, 1920, 13200, 2880, WindowText, 2},
    LineRow{"Line6", 13200, 2880, 12480, 2760, WindowText, 2},
    LineRow{"Line7", 11280, 2880, 12480, 2760, WindowText, 2},
    LineRow{"Line8", 10560, 2520, 11280, 2880, WindowText, 2},
    LineRow{"Line9", 10440, 1800, 10560, 2520, WindowText, 2},

    // Road centre line, dashed as five segments
    LineRow{"Line16", 12000, 600, 12000, 1080, Red, 2},
    LineRow{"Line17", 12000, 1200, 12000, 1320, Red, 2},
    LineRow{"Line18", 12000, 1440, 12000, 2280, Red, 2},
    LineRow{"Line19", 12000, 2400, 12000, 2520, Red, 2},
    LineRow{"Line20", 12000, 2640, 12000, 3840, Red, 2},

    // H axis (up) and S axis (right) with their arrowheads
    LineRow{"Line10", 10200, 720, 10200, 3720, Red, 2},
    LineRow{"Line12", 10200, 720, 10320, 960, Red, 2},
    LineRow{"Line13", 10200, 720, 10080, 960, Red, 2},
    LineRow{"Line11", 9960, 3480, 14160, 3480, Red, 2},
    LineRow{"Line14", 13920, 3360, 14160, 3480, Red, 2},
    LineRow{"Line15", 14160, 3480, 13920, 3600, Red, 2},
};

}  // namespace

std::span<const ControlRow> controlTable() {
    return controls;
}

std::span<const LineRow> lineTable() {
    return lines;
}

}  // namespace window
