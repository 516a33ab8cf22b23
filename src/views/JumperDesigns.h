#pragma once
// The designs of the ten jumper windows, one per option board and board
// revision: caption, pictures (drawn from BoardSketch tables), labels and
// outline shapes, all placed in twips. The window class (frmJumper) only
// builds what a design lists, so the windows differ in data alone.

#include "views/BoardSketch.h"

#include <QList>
#include <QRect>
#include <QString>

namespace views {

enum class LabelStyle {
    Plain,   // the window's font
    Title,   // a board's name
    PinList, // fixed pitch, wrapped to one pin of the list per line
};

struct JumperPicture {
    QString name;   // "imgDSC", "Image1", "Picture2"
    QPoint at;      // top left, twips
    Sketch sketch;  // its size is the picture's size in pixels
};

struct JumperLabel {
    QString name;
    QString text;
    QRect rect;     // twips; a pin list's width follows its font
    LabelStyle style = LabelStyle::Plain;
};

struct JumperShape {
    QString name;
    QRect rect;     // twips
    bool marker = false; // a pin marker (coloured) rather than an outline
};

struct JumperDesign {
    QString name;       // registered window name, "frmJDSC"
    QString caption;
    QSize client;       // twips
    QList<JumperPicture> pictures;
    QList<JumperLabel> labels;
    QList<JumperShape> shapes;
    QString okName;     // "cmdJDSC", "cmdJDSCG" or "cmdOK"
    QRect okRect, printRect;
    // Text windows: the help topic shown in lblText at lblTextRect; 0 for
    // the picture windows, whose OK returns to the main menu.
    int helpTopic = 0;
    QRect lblTextRect;
};

// All ten, in the order of the Jumpers menu.
const QList<JumperDesign>& JumperDesigns();
// The design of that window name, or nullptr.
const JumperDesign* FindJumperDesign(const QString& name);

} // namespace views
