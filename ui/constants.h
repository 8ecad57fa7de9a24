#pragma once
// The constants of the forms runtime, numbered as the word processor's macro language
// numbers them, so that code written against that language keeps its values.

namespace ui {

// Modality of Form::Show.
inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

// Message box button sets (the low three bits of the style).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;

// Message box icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Message box default button.
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Message box results: the button pressed.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Check box values.
inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

// Label alignment.
inline constexpr int vbLeftJustify = 0;
inline constexpr int vbRightJustify = 1;
inline constexpr int vbCenter = 2;

// Label back style and border style.
inline constexpr int vbTransparent = 0;
inline constexpr int vbOpaque = 1;
inline constexpr int vbBSNone = 0;
inline constexpr int vbFixedSingle = 1;

// List box selection modes.
inline constexpr int vbMultiSelectNone = 0;
inline constexpr int vbMultiSelectSimple = 1;
inline constexpr int vbMultiSelectExtended = 2;

// Combo box styles.
inline constexpr int vbComboDropdown = 0;
inline constexpr int vbComboDropdownList = 2;

// Mouse pointers; vbCustom shows the hand pointer used over clickable labels.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCustom = 99;

// Why a form is being unloaded (Form_QueryUnload).
inline constexpr int vbFormControlMenu = 0;
inline constexpr int vbFormCode = 1;

// Colours are BGR values: &HFF00 is green either way.
inline constexpr long vbGreen = 0xFF00;

// Key codes (KeyDown) and shift masks.
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyShift = 16;
inline constexpr int vbKeyControl = 17;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKeyF1 = 112;
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

/// The application title: shown by message boxes whose title is empty.
inline constexpr const char* kAppTitle = "Vellandex";

}  // namespace ui
