#pragma once
// What the three setup pages have in common: how their controls are made
// and placed, the page-ready gate of their handlers, F1, closing, the help
// topic of a control that takes the focus, the hand-over of a value box
// to the value-entry dialog, and the item lists and scaling groups that
// pages 1 and 2 wire and fill alike.
//
// A page is filled from the setup image only when a window shows it
// (ShowPageOf): coming back from the value-entry dialog, the help window or
// another application leaves it as it is, so a choice made after a value
// entry is stored as usual.

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Twips.h"

#include <QGroupBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace pages {

struct ScalingGroup;

using platform::CheckBox;
using platform::ComboBox;
using platform::OptionButton;
using platform::TextBox;

// ---- Making controls (geometry in twips) ------------------------------------

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height);

// Where a frame's controls start: below the descenders of its caption.
constexpr int InsideTopTwips = 225;

// A frame's one control fills it below the caption; the caption names it
// for screen readers as well.
template <class T> T* Inside(QGroupBox* frame, const QString& name, int topTwips = InsideTopTwips)
{
    auto* c = new T(frame);
    c->setObjectName(name);
    c->setGeometry(platform::Px(90), platform::Px(topTwips), frame->width() - platform::Px(180),
                   platform::Px(300));
    c->setAccessibleName(frame->title().trimmed());
    return c;
}

TextBox* ValueBox(QGroupBox* frame, const QString& name, const QString& designText);

// The name of copy i of a control array: "cboDecPt1(0)".
QString Idx(const char* base, int i);

// How the copies of a scaling group differ in their design.
struct ScalingDesign {
    bool coordFirst = false; // Coordinates comes before Scale, Offset in the tab order
    QString scaleCaption;    // "Scale 1", " Scale 2"
    QString scaleText;       // the scale box's design text
    QString valueText;       // that of the offset, input and reading boxes
    bool arialValues = false; // those boxes are designed in Arial 8.25
};
// A scaling group of item `item` ("1", "2") at left, top of its frame: the
// option frame, then scale, multiplier and offset, low in and read, high in
// and read in three columns; every name ends in item & suffix ("(0)").
ScalingGroup BuildScalingGroup(QWidget* parent, int left, int top, const QString& item,
                               const QString& suffix, const ScalingDesign& design);

// Pages 1 and 2 are one size, so that turning the page keeps the window.
constexpr int ItemPageWidthTwips = 9500, ItemPageHeightTwips = 7560;

// Copy i of the filter frame with its four lists, laid out alike on pages
// 1 and 2; the controls go into the page's own arrays of those names.
template <class Page> void BuildFilterFrame(Page& page, QWidget* parent, int i, int left, int top)
{
    page.fraFilter[i] =
        MakeFrame(parent, Idx("fraFilter", i), QStringLiteral("Filter"), left, top, 8800, 900);
    auto list = [&](auto& fra, auto& cbo, const char* fraName, const char* cboName,
                    const char* caption, int at) {
        fra[i] = MakeFrame(page.fraFilter[i], Idx(fraName, i), QString::fromLatin1(caption), at,
                           250, 2050, 560);
        cbo[i] = Inside<ComboBox>(fra[i], Idx(cboName, i));
    };
    list(page.fraTimConst, page.cboTimConst, "fraTimConst", "cboTimConst", "Time Constant", 90);
    list(page.fraFType, page.cboFType, "fraFType", "cboFType", "Type", 2240);
    list(page.fraThresh, page.cboThresh, "fraThresh", "cboThresh", "Threshold", 4390);
    list(page.fraPeakVal, page.cboPeakVal, "fraPeakVal", "cboPeakVal", "Peak Value", 6540);
}

void FillList(ComboBox* combo, const QStringList& texts);
// Fills the list and selects entry `selected` (its Click runs; a code
// without an entry selects nothing).
void FillList(ComboBox* combo, const QStringList& texts, int selected);
void Enable(QWidget* w, bool on);

// The decimal-point list of the current layout: copy c1 of item 1's list,
// or, when c1 is 9, copy c2 of item 2's; filled, selected from the image,
// and usable except on a clock display.
void ShowDecPtList(const std::array<QGroupBox*, 2>& fraDecPt1, const std::array<ComboBox*, 2>& cboDecPt1,
                   const std::array<QGroupBox*, 2>& fraDecPt2, const std::array<ComboBox*, 2>& cboDecPt2,
                   int c1, int c2);

// The custom-curve list, which the page has enabled or not: on a Basic
// meter the curve field is cleared first; the list is filled, selected from
// the image, and CusCrvActive follows it.
void ShowCurveList(QGroupBox* fraCusCrv, ComboBox* cboCusCrv);
// A trigger-slope list filled and selected from bit `bit` of SetupB byte 23
// (slope A bit 1, slope B bit 0).
void ShowSlopeList(QGroupBox* frame, ComboBox* combo, int bit);
// The four filter lists of one copy, filled and selected from the image.
void ShowFilterLists(ComboBox* timConst, ComboBox* fType, ComboBox* thresh, ComboBox* peakVal);

// The help topic of the value boxes: batch (function 2) has its own.
int FunctionRuleTopic(int otherwise);

// ---- The page ---------------------------------------------------------------

class SetupPage : public platform::Form {
    Q_OBJECT
public:
    // 0 while the page fills its controls, 1 after: the list and check
    // handlers store only while it is 1.
    int PageReady = 0;

    // Fills the whole page from the setup image.
    virtual void Refill() = 0;

    // Loads page T, shows it and fills it afresh.
    template <class T> static void ShowPageOf()
    {
        T* page = platform::Load<T>();
        if (!page)
            return;
        QPointer<T> self(page);
        page->Show();
        if (self)
            self->Refill();
    }

protected:
    explicit SetupPage(const QString& name);

    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override; // F1: help at HelpTopic
    void Form_Unload(bool& cancel) override;             // back to the main menu

    // Where the focus goes after a value entry.
    virtual void AfterValueEntry() = 0;

    // Leaves the page for the window that `showNext` shows, with the
    // hourglass while it is being shown.
    void LeaveFor(const std::function<void()>& showNext);
    void LeaveForMainMenu();

    // The list's pick for a handler: -1 while the page is being filled or
    // when nothing is picked (a stored code without an entry).
    int Picked(const ComboBox* combo) const;
    // A list whose pick is stored into bits hi..lo of SetupB byte pos as the
    // list position plus `add`, then `after` runs with the position.
    void StoreOnClick(ComboBox* combo, int hi, int lo, int pos, int add = 0,
                      std::function<void(int)> after = {});
    // A check box stored as 0 or 1.
    void StoreOnClick(CheckBox* box, int hi, int lo, int pos);
    // The decimal-point lists of one copy: the code (position + 1) is
    // stored and kept in DecPt1 / DecPt2, then `reformat` re-points the
    // page's texts.
    void ConnectDecPtLists(ComboBox* decPt1, ComboBox* decPt2, std::function<void()> reformat);
    // Stores the custom-curve pick (false when nothing is picked): a curve
    // replaces the square root, and the second curve is marked red without
    // the V-F converter.
    bool StoreCurveChoice(ComboBox* cboCusCrv);
    // The trigger-slope and filter lists of one copy, which pages 1 and 2
    // store and explain alike (a null list is skipped).
    void ConnectSlopeAndFilterLists(ComboBox* slopeA, ComboBox* slopeB, ComboBox* timConst,
                                    ComboBox* fType, ComboBox* thresh, ComboBox* peakVal);
    // What sets the pages apart when a scaling box goes to the value-entry
    // dialog; everything else about a scaling group is wired alike.
    struct ScalingEntry {
        int flag = 0;          // the dialog's place
        int plainFormat = -1;  // EntryTimeFormat of the scale and input boxes (-1 leaves it)
        int stopwatchItem = 1; // the item whose offset can be entered as a stopwatch time
    };
    // One copy of item 1's or item 2's scaling group: its option buttons run
    // the page's handlers, the multiplier is stored, every box sets its help
    // topic and hands its number to the dialog.
    void ConnectScalingGroup(const ScalingGroup& g, int item, const ScalingEntry& entry,
                             std::function<void()> scaleClick, std::function<void()> coordClick);
    // Sets HelpTopic when w takes the focus (a topic of 0 leaves it).
    void OnFocusTopic(QWidget* w, std::function<int()> topic);
    void OnFocusTopic(QWidget* w, int topic);
    // Hands the box's number to the value-entry dialog: decPt and timeFormat
    // below 0 leave EntryDecPt and EntryTimeFormat as they are. When the
    // dialog has closed, `then` runs (while the page is still there), then
    // AfterValueEntry.
    void ValueBoxClick(TextBox* box, int kind, int pos, int decPt, int timeFormat, int flag,
                       const std::function<void()>& then = {});
};

} // namespace pages
