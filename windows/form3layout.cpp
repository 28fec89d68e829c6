// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form3layout.h"

namespace windows {
namespace {

using enum platform::ControlKind;
using enum platform::MousePointer;

// Name, kind, container, left, top, width, height (twips), tab index,
// caption, font, tooltip, mouse pointer. Creation order.
const platform::ControlSpec Controls[] = {
    {"Frame2", Frame, nullptr, 120, 0, 6975, 735, 3, "", nullptr, nullptr, Default},
    {"SkinLabel1", Custom, "Frame2", 120, 240, 6735, 375, 4, nullptr, nullptr, nullptr, Default},
    {"Skin1", Custom, nullptr, 0, 0, 0, 0, -1, nullptr, nullptr, nullptr, Default},
    // Frame1 overlaps Frame2 by 15 twips; the picture box covers all of it
    // but its top edge.
    {"Frame1", Frame, nullptr, 120, 720, 6975, 5295, 0, "", nullptr, nullptr, Default},
    {"Pictuer1", PictureBox, "Frame1", 0, 120, 6975, 5175, 1, nullptr, nullptr, nullptr, Default},
    // As large as the box's outer size: clipped at the box's border.
    {"MediaPlayer1", Custom, "Pictuer1", 0, 0, 6975, 5175, 2, nullptr, nullptr,
     "اضغط على الماوس مرتين متتاليتين \"دبل كلك\" للتشغيل", Default},
};

// Control, accessible name, accessible description, where the caption and
// the tooltip do not say it.
const platform::AccessibleText AccessibleTexts[] = {
    {"Frame2", "إرشاد التشغيل", nullptr},
    {"Frame1", "إطار المشغل", nullptr},
    {"Pictuer1", "شاشة النشيد", "تحمل مشغل نشيد الحروف"},
    {"MediaPlayer1", "مشغل نشيد الحروف", nullptr},
};

} // namespace

const platform::FormSpec Form3Spec{
    "نشيد الحروف", 7200, 6075, /*minButton=*/true, /*maxButton=*/false, Controls, AccessibleTexts};

const skin::SkinLabelSettings SkinLabel1Settings{
    .first = -1,
    .extentWidth = 11880,
    .extentHeight = 661,
    .caption = QStringLiteral(
        "ابني - ابنتي المجتهدين: اضغطا على الماوس مرتين متتاليتين \"دبل كلك\" للتشغيل"),
    .font = {"Times New Roman", 12.75, 700, 178},
    .fifth = 1,
    .sixth = 1,
};

const platform::MediaPlayerSettings MediaPlayer1Settings{
    .URL = QString(),
    .rate = 1.0,
    .balance = 0,
    .currentPosition = 0.0,
    .defaultFrame = platform::emptyText(),
    .playCount = 1,
    .autoStart = true,
    .currentMarker = 0,
    .invokeURLs = true,
    .baseURL = platform::emptyText(),
    .volume = 50,
    .mute = false,
    .uiMode = QStringLiteral("full"),
    .stretchToFit = false,
    .windowlessVideo = false,
    .enabled = true,
    .enableContextMenu = true,
    .fullScreen = false,
    .SAMIStyle = platform::emptyText(),
    .SAMILang = platform::emptyText(),
    .SAMIFilename = platform::emptyText(),
    .captioningID = platform::emptyText(),
    .enableErrorDialogs = false,
    .extentWidth = 12303,
    .extentHeight = 9128,
};

const char *const SongFileName = "حروف الهجاء.wmv";

} // namespace windows
