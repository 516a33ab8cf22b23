#pragma once
// The list window: the meter's readings stream shown as text in a grid of
// 20 rows, filled column by column and then overwritten from the first
// column again, with a blank cell marking where the next record goes.
// Pause drops what arrives, Continue asks the meter again, End stops the
// stream and returns to the main menu.

#include "platform/Forms.h"

#include <QStringList>

class QPushButton;

namespace platform {
class Grid;
}

namespace live {

class ReadingsReader;

extern int ListEnd;  // 1 once End was pressed
extern int ListRow;  // grid cell of the next record
extern int ListCol;
extern int ListCols; // columns, from the width of the first whole record

class frmList : public platform::Form {
    Q_OBJECT
public:
    frmList();
    ~frmList() override;

    static constexpr int GridRows = 20;

    platform::Grid* grdList = nullptr;
    QPushButton *cmdPrint = nullptr, *cmdPause = nullptr, *cmdContin = nullptr,
                *cmdEnd = nullptr;

    void cmdPause_Click();
    void cmdContin_Click();
    void cmdEnd_Click();
    void cmdPrint_Click();

    // Starts the stream and its reader.
    void ListReadings();
    // Writes text into the next cell and blanks the one after.
    void AddListRow(const QString& text);

    ReadingsReader* Reader() const { return reader_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void SizeGrid(const QString& sample);
    void ShowRecords(const QStringList& records);
    void End();

    ReadingsReader* reader_ = nullptr;
    bool started_ = false;
    bool stopSent_ = false;
};

} // namespace live
