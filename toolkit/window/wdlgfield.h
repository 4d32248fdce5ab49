// The further field kinds of a dialog and the dialog services around them:
// clearing, enabling and querying fields, images and colours, combo and
// list boxes (single and multiple selection), trackbars, progress bars,
// value ranges and spin partners, tab stops, the caption, the focus, the
// dialog graphics field and the number reader of the numeric fields.
//
// Every routine acts on a field of the current dialog and reports failure
// by setting its field argument to -1 (-2 where stated), as the dialog
// routines of the programs never see these codes.
#pragma once

#include <span>
#include <string_view>

#include "platform/types.h"

namespace tsd {

// Field kinds reported by yygetfieldtype.
inline constexpr int kFieldOther = 0;
inline constexpr int kFieldStaticText = 1;
inline constexpr int kFieldPicture = 2;
inline constexpr int kFieldGroupBox = 3;
inline constexpr int kFieldEdit = 4;
inline constexpr int kFieldInteger = 5;
inline constexpr int kFieldReal = 6;
inline constexpr int kFieldDouble = 7;
inline constexpr int kFieldPushButton = 8;
inline constexpr int kFieldCheckBox = 9;
inline constexpr int kFieldRadioButton = 10;
inline constexpr int kFieldCombo = 11;
inline constexpr int kFieldList = 12;
inline constexpr int kFieldTab = 13;
inline constexpr int kFieldProgress = 14;
inline constexpr int kFieldGrid = 15;
inline constexpr int kFieldTrackbar = 16;

// Field states.
inline constexpr int kFieldDisabled = 0;
inline constexpr int kFieldEnabled = 1;
inline constexpr int kFieldReadOnly = 2;

// Failure codes put into the field argument.
inline constexpr int kFieldFailed = -1;
inline constexpr int kFieldMissing = -2;  // image missing, value out of range

// A trackbar without a selection, a list or combo without one.
inline constexpr int kNoSelection = -999;

// ---- Fields of every kind -------------------------------------------------
void yyfieldclear(int& field);
void yyfieldenable(int& field, int state);
void yyfieldimage(int& field, int imageid, int kind);
void yyfieldgetlength(int& field, int& length);
void yyfieldcolour(int& field, int tr, int tg, int tb, int br, int bg, int bb);
void yyfieldputtext(int& field, std::string_view text);
void yygetfieldinfo(int& field, int& x, int& y, int& width, int& height, int client);
void yygetfieldtype(int& field, int& kind);
void yygetfieldstate(int& field, int& state);
void yydialogtabstops(int& field, std::span<const int> stops, int count);

// ---- Combo boxes and list boxes -------------------------------------------
// Texts come back blank-padded to the length of `text`; `length` gets the
// number of characters of the entry.
void yyfieldgetcombo(int& field, int& index, std::span<char> text, int& length);
void yyfieldputcombo(int& field, std::string_view text);
void yyfieldgetlist(int& field, int& index, std::span<char> text, int& length);
void yyfieldputmenu(int kind, int& field, std::string_view text);
void yyfieldputoption(int kind, int& field, int index);
void yygetoptioncount(int& field, int& count);
// Multiple-selection lists; entries count from 1.
void yyfieldgetopt(int& field, int entry, int& state);
void yyfieldputopt(int& field, int entry, int state);
void yyfieldputopt2(int& field, int first, int last, int state);
void yygetmenutype(int& field, int& kind);

// ---- Trackbars, progress bars, ranges and spin partners ---------------------
void yyfieldgettrack(int& field, int& position, int& selstart, int& selend);
void yyfieldputtrack(int& field, int position, int selstart, int selend, int mode);
void yyrangetrack(int& field, int minimum, int maximum, int frequency);
void yyfieldtrackstep(int& field, int line, int page);
void yyfieldputprogress(int& field, int value, int mode);
void yyrangeprogress(int& field, int minimum, int maximum);
void yyfieldrange(int& field, double lower, double upper);
void yyfieldrangecheck(int& field, double value);
void yyfieldspinstep(int& field, int step, int fraction);

// ---- Dialog services --------------------------------------------------------
void yydialogtitle(std::string_view text);
void yydialogfocus(int& field);
// mode 1: the field (0: the whole dialog) becomes the drawing target of
// the graphics layer and reports its repaints and mouse events; other
// modes give the target back to the window.
void yygetdialogdc(int& field, int mode, int& width, int& height);
void yygetdlgfactor(int& x, int& y);
void yywinfodialog(int item, int& value);
double yyAsciiToDouble(std::string_view text, int& complete);

}  // namespace tsd
