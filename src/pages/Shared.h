#pragma once
// What the three setup pages (and the menu view) share: list fillers with
// their fixed texts, enabling rules, the scaling panel of one display item,
// the Read 0 In box, the decimal point of an alarm source and the re-placing
// of the decimal point in value boxes.
//
// The same control stands in several places (one decimal-point list per
// item layout, one scaling block per item), so a procedure takes the
// control it works on from a binding that the caller sets just before the
// call. Bindings are guarded pointers: a page that closes leaves them empty,
// never dangling, and a procedure skips a binding that is empty.

#include "platform/Controls.h"

#include <QPointer>
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QWidget;

namespace pages {

using platform::CheckBox;
using platform::ComboBox;
using platform::OptionButton;
using platform::TextBox;

// ---- Bindings --------------------------------------------------------------

extern QPointer<QWidget> CurForm;   // holds fraRd0In and txtRd0In (ShowRd0In)
extern QPointer<QWidget> CurFrame;  // the frame around CurCombo
extern QPointer<ComboBox> CurCombo; // the list to fill or check
extern QPointer<CheckBox> CurCheck;
extern QPointer<ComboBox> FilterTypeCombo, ThresholdCombo, PeakValueCombo;
extern QPointer<ComboBox> CurCboMult;

// The scaling panel of one item (ShowScaling).
extern QPointer<OptionButton> CurOptScale, CurOptCoord;
extern QPointer<TextBox> CurTxtScale, CurTxtOffset, CurTxtLoIn, CurTxtLoRd, CurTxtHiIn,
    CurTxtHiRd;
extern QPointer<QWidget> CurFraScale, CurFraMult, CurFraOffset, CurFraLoIn, CurFraLoRd,
    CurFraHiIn, CurFraHiRd;

// One item's scaling controls as a page holds them (one copy per layout).
struct ScalingGroup {
    QGroupBox* fraScaleCoord = nullptr;
    OptionButton* optScale = nullptr;
    OptionButton* optCoord = nullptr;
    QGroupBox *fraScale = nullptr, *fraMult = nullptr, *fraOffset = nullptr, *fraLoIn = nullptr,
              *fraLoRd = nullptr, *fraHiIn = nullptr, *fraHiRd = nullptr;
    TextBox *txtScale = nullptr, *txtOffset = nullptr, *txtLoIn = nullptr, *txtLoRd = nullptr,
            *txtHiIn = nullptr, *txtHiRd = nullptr;
    ComboBox* cboMult = nullptr;
};
// Binds the sixteen scaling bindings to g's controls (before ShowScaling).
void BindScaling(const ScalingGroup& g);

// Up to three value boxes whose decimal point follows a decimal-point choice.
extern std::array<QPointer<TextBox>, 3> FormatList;

// Entry k is 1 when entry k of the source list last filled may be chosen.
extern std::array<int, 4> SourceAvail;

// Empties every binding that points into `form` (a page being unloaded).
void ClearBindings(const QWidget* form);

// ---- Helpers -----------------------------------------------------------------

// FormatSetupNumber for callers that keep their kind and decimal point.
QString FormatNumber(int kind, const QString& setupStr, int pos, int decPt);

// ---- Procedures ------------------------------------------------------------

// The character of a code from 33 up; the three-letter name below ("cr ").
QString CharName(int code);

// The custom entry of the recognition-character list for code c.
QString RecogCharEntry(int code);
// Page 3's recognition character: the list, the custom code's box and its
// name label, from the image.
void FillRecogCharList(ComboBox* cboRecogChr, QLineEdit* txtCusRecog, QLabel* lblCusRecog);

// Decimal-point code for a value shown for alarm source `source` in item
// layout `layout`; a source 0 (the filtered item) becomes FilteredItem.
int SourceDecPt(int layout, int& source);

// Read 0 In box of CurForm: its text, and enabled only where it applies.
void ShowRd0In();

void FillCusCrvList();
// Decimal-point list of item 1 (item 0) or item 2 (any other); keeps
// DecPt1 / DecPt2 equal to the image and selects the stored code.
void FillDecPtList(int item);
void EnableIfOne(QWidget* ctl, int flag);
void EnableFrameCombo(QWidget* frame, ComboBox* combo, int flag);
void FillFilterLists();
void FillMultiplierList();
// The scaling panel of item 1 (optBit 5) or item 2 (optBit 4).
void ShowScaling(int optBit);
// The item a source-list position stands for, or 0 (beep, list red) when it
// may not be chosen; no selection (-1) counts as a refused choice.
int CheckSource(int source);
void FillSourceList();
void FillSlopeList();
// Re-places the point in FormatList(0..last) for decimal-point code decPt.
void InsertDecimalPoint(int decPt, int last);
// The same for one text (empty when the text cannot take that point).
QString MoveDecimalPoint(const QString& text, int decPt);

// Fixed list texts, in list order.
extern const QStringList CusCrvTexts;      // third entry: the V-F converter's
extern const QString CusCrvNotAvailable;   // third entry without it
extern const QStringList DecPt1Texts, DecPt2Texts, TimeConstantTexts, FilterTypeTexts,
    ThresholdTexts, PeakValueTexts, MultiplierTexts, SlopeTexts;

} // namespace pages
