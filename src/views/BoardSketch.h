#pragma once
// Board drawings of the jumper windows, kept as small tables of parts (an
// outline, connectors, pin headers, marks and texts) and drawn on demand.
// Keeping the drawings as data keeps them readable and easy to correct, and
// means no picture files travel with the program.
//
// Every part is placed in the picture's own pixels. A drawing names only
// what is known of a board (its connectors and the marks printed on it);
// it shows where jumper headers sit but never a shunt position.

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace views {

enum class SketchPart {
    Board,    // the board's outline, its name inside the top left corner
    Header,   // a pin header: cols x rows pins, no shunts; name beside it
    Terminal, // a screw-terminal block of cols terminals; name beside it
    Jack,     // a modular (RJ11) socket seen from the front, cols contacts
    Edge,     // the connector to the meter's main board
    Text,     // a line of text at rect's top left
};

// Where a part's name goes.
enum class NameSide { Above, Below, Left, Right, Inside, None };

struct SketchItem {
    SketchPart part = SketchPart::Text;
    QRect rect;
    QString name;
    int cols = 1;
    int rows = 1;
    NameSide side = NameSide::Above;
};

struct Sketch {
    QSize size;
    bool sixteenColours = false; // kept to the 16 standard colours
    QList<SketchItem> items;
};

// The drawing at exactly sketch.size. A sixteen-colour sketch comes back as
// an indexed image of at most 16 colours, the others as 32-bit colour.
QImage DrawSketch(const Sketch& sketch);

// The parts of a drawing, one line each ("Pin header, 3 x 2 pins: Input A
// jumpers"), for screen readers: the picture's painted names are not text.
QString DescribeSketch(const Sketch& sketch);

} // namespace views
