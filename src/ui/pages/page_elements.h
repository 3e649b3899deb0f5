#pragma once
// The element numbers of the page tables that carry a meaning for the main window's input:
// indices into SkinLayout's main, advanced, lighting and macro tables. Every other element is
// decoration (or a label the painter fills) and does nothing when clicked.

#include <cstdint>

#include "ui/skin/dpi_slider_element.h"

namespace gm {

// ---- Main table: header, tabs and configurations (every page), keys page -----------------
inline constexpr uint32_t kMainMinimise = 0;
inline constexpr uint32_t kMainClose = 1;  // ends the program
inline constexpr uint32_t kMainHide = 2;   // hides to the notification area
inline constexpr uint32_t kMainApply = 3;
inline constexpr uint32_t kMainChinese = 4;
inline constexpr uint32_t kMainEnglish = 5;
inline constexpr uint32_t kMainTabKeys = 6;  // tab of page 0; tabs 6..9 follow page order
inline constexpr uint32_t kMainTabAdvanced = 7;
inline constexpr uint32_t kMainTabMacro = 8;
inline constexpr uint32_t kMainTabLighting = 9;
inline constexpr uint32_t kMainFirstConfig = 10;  // configurations 0..3 on elements 10..13
inline constexpr uint32_t kMainLastConfig = 13;
inline constexpr uint32_t kMainImport = 14;
inline constexpr uint32_t kMainExport = 15;
inline constexpr uint32_t kMainReset = 16;
inline constexpr uint32_t kMainWebPage = 19;
inline constexpr uint32_t kMainFirstKeyButton = 20;  // key k on element 20 + k (keys page)
inline constexpr uint32_t kMainWheelOff = 31;
inline constexpr uint32_t kMainWheelOn = 32;
inline constexpr uint32_t kMainFirstKeyLabel = 35;  // key k's label on element 35 + k

// ---- Advanced table (DPI and advanced page) ----------------------------------------------
inline constexpr uint32_t kAdvPointerSpeedBar = 1;
inline constexpr uint32_t kAdvWheelSpeedBar = 18;
inline constexpr uint32_t kAdvFireTimeBar = 31;
inline constexpr uint32_t kAdvFirstRate = 34;  // 34..37 choose report rates 0..3
inline constexpr uint32_t kAdvLastRate = 37;
inline constexpr uint32_t kAdvFirstRateAlt = 38;  // 38..41 choose report rates 0..3 too
inline constexpr uint32_t kAdvLastRateAlt = 41;
inline constexpr uint32_t kAdvRateAltFourth = 41;   // the 1000 Hz dot, drawn for rate 3
inline constexpr uint32_t kAdvFirstDpiEnable = 47;  // 47..52 switch levels 0..5 on and off
inline constexpr uint32_t kAdvFirstDpiSelect = 60;  // 60..65 make levels 0..5 current
// kAdvDpiSlider (66): ui/skin/dpi_slider_element.h.

// ---- Lighting table ----------------------------------------------------------------------
inline constexpr uint32_t kLedFirstCycleColor = 7;  // 7..13 switch cycle colours 0..6
inline constexpr uint32_t kLedUserColor = 14;
inline constexpr uint32_t kLedModeMenuButton = 35;
inline constexpr uint32_t kLedBrightnessBar = 40;
inline constexpr uint32_t kLedSpeedBar = 41;
inline constexpr uint32_t kLedSymmetry = 45;
inline constexpr uint32_t kLedFirstDirection = 47;  // 47..49 directions 0..2
inline constexpr uint32_t kLedDirectionAll = 50;    // direction 3, inward
inline constexpr uint32_t kLedFirstKeyReact = 51;   // key k's reaction switch on element 51 + k

// ---- Macro table -------------------------------------------------------------------------
inline constexpr uint32_t kMacRecord = 4;
inline constexpr uint32_t kMacInsert = 5;
inline constexpr uint32_t kMacPlayMode2 = 6;  // play mode 2
inline constexpr uint32_t kMacPlayMode1 = 7;  // play mode 1
inline constexpr uint32_t kMacPlayMode0 = 8;  // play mode 0 (repeat count)
inline constexpr uint32_t kMacRecoilEditor = 13;

// ---- How many elements of each table the pointer is tested against -----------------------
inline constexpr int kMainHitCountKeysPage = 45;    // the whole main table on the keys page
inline constexpr int kMainHitCountOtherPages = 20;  // header, tabs and configurations elsewhere
inline constexpr int kLedHitCount = 70;
inline constexpr int kAdvHitCount = 138;
inline constexpr int kMacHitCount = 20;

// ---- Lighting modes (g_ledType); what each allows: led_modes.h ---------------------------
inline constexpr uint8_t kLedModeDpiBreath = 0;
inline constexpr uint8_t kLedModeCycleBreath = 1;
inline constexpr uint8_t kLedModeSteady = 2;
inline constexpr uint8_t kLedModeKeyResponse = 3;
inline constexpr uint8_t kLedModeOff = 4;

// ---- Kinds of the skinned pop-up list opened from the main window (g_menuKind) -----------
inline constexpr int kPopupKindKeyFunctions = 1;
inline constexpr int kPopupKindLedModes = 4;

}  // namespace gm
