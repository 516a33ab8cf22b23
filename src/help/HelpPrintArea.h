#pragma once
// A surface that text is "printed" onto line by line from its top left, as
// the help windows show their texts: each line is a row of runs, emphasised
// runs in the bold cut of the face. Lines are not wrapped; what passes the
// right edge is cut off.

#include "help/HelpFiles.h"

#include <QFont>
#include <QFrame>
#include <QList>

namespace help {

class HelpPrintArea : public QFrame {
    Q_OBJECT
public:
    explicit HelpPrintArea(QWidget* parent = nullptr);

    // Clears the surface (print position back to the top left).
    void Cls();
    // Prints lines below what is there, in the given face.
    void PrintLines(const QList<HelpLine>& lines, const QFont& font);

    struct PrintedLine {
        HelpLine runs;
        QFont font;
    };
    const QList<PrintedLine>& printed() const { return m_printed; }

    // The room that lines take when printed from the top left, margins
    // included: whether a text fits a window can be checked without one.
    static QSize Extent(const QList<HelpLine>& lines, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<PrintedLine> m_printed;
};

} // namespace help
