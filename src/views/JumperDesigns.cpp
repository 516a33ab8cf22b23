#include "views/JumperDesigns.h"

namespace views {

namespace {

// ---- helpers ----------------------------------------------------------------

SketchItem Board(QRect r, const QString& name)
{
    return {SketchPart::Board, r, name, 1, 1, NameSide::Inside};
}
SketchItem Header(QRect r, int cols, int rows, const QString& name = {},
                  NameSide side = NameSide::Above)
{
    return {SketchPart::Header, r, name, cols, rows, name.isEmpty() ? NameSide::None : side};
}
SketchItem Terminal(QRect r, int count, const QString& name = {}, NameSide side = NameSide::Above)
{
    return {SketchPart::Terminal, r, name, count, 1, name.isEmpty() ? NameSide::None : side};
}
SketchItem Jack(QRect r, const QString& name = {}, NameSide side = NameSide::Above)
{
    return {SketchPart::Jack, r, name, 6, 1, name.isEmpty() ? NameSide::None : side};
}
SketchItem Edge(QRect r, int fingers, const QString& name, NameSide side = NameSide::Above)
{
    return {SketchPart::Edge, r, name, fingers, 1, side};
}
SketchItem Text(QRect r, const QString& text)
{
    return {SketchPart::Text, r, text, 1, 1, NameSide::None};
}

// A picture that is a pixel-exact part of the window: twips = pixels * 15.
JumperPicture Picture(const QString& name, int leftTwips, int topTwips, int widthPx, int heightPx,
                      bool sixteen, QList<SketchItem> items)
{
    return {name, QPoint(leftTwips, topTwips), Sketch{QSize(widthPx, heightPx), sixteen, std::move(items)}};
}

const QString ShuntNote = QStringLiteral(
    "Headers are shown by place only: set the shunts by the legend printed on the board.");

// ---- the six signal-conditioner windows --------------------------------------

constexpr int BigW = 632, BigH = 432;
const QSize PictureClient(9720, 7320);
const QRect PictureOk(5520, 6780, 1095, 375);
const QRect PicturePrint(3120, 6780, 1095, 375);

JumperDesign PictureWindow(const QString& name, const QString& caption, const QString& okName,
                           const QString& imageName, QList<SketchItem> items)
{
    JumperDesign d;
    d.name = name;
    d.caption = caption;
    d.client = PictureClient;
    d.pictures = {Picture(imageName, 120, 120, BigW, BigH, true, std::move(items))};
    d.okName = okName;
    d.okRect = PictureOk;
    d.printRect = PicturePrint;
    return d;
}

// Two input channels, A and B, each with its own header, the input terminals
// on the right edge and the connector to the meter along the bottom.
QList<SketchItem> TwoChannelBoard(const QString& title)
{
    return {
        Board(QRect(8, 8, 616, 416), title),
        Terminal(QRect(540, 110, 56, 210), 6, QStringLiteral("Inputs A, B"), NameSide::Above),
        Header(QRect(120, 150, 96, 64), 3, 2, QStringLiteral("Input A jumpers")),
        Header(QRect(320, 150, 96, 64), 3, 2, QStringLiteral("Input B jumpers")),
        Edge(QRect(110, 376, 400, 28), 20, QStringLiteral("To the meter's main board")),
        Text(QRect(24, 270, 480, 60), ShuntNote),
    };
}

// The later drawing: channels stacked on the left, terminals on the top edge.
QList<SketchItem> TwoChannelBoardLater(const QString& title)
{
    return {
        Board(QRect(8, 8, 616, 416), title),
        Terminal(QRect(400, 60, 200, 44), 6, QStringLiteral("Inputs A, B"), NameSide::Below),
        Header(QRect(60, 120, 64, 96), 2, 3, QStringLiteral("Input A jumpers"), NameSide::Right),
        Header(QRect(60, 240, 64, 96), 2, 3, QStringLiteral("Input B jumpers"), NameSide::Right),
        Edge(QRect(110, 376, 400, 28), 20, QStringLiteral("To the meter's main board")),
        Text(QRect(300, 200, 300, 80), ShuntNote),
    };
}

QList<SketchItem> VFBoard(const QString& title, bool later)
{
    const QRect header = later ? QRect(100, 200, 128, 64) : QRect(220, 150, 128, 64);
    const QRect terminal = later ? QRect(540, 140, 56, 110) : QRect(540, 110, 56, 110);
    return {
        Board(QRect(8, 8, 616, 416), title),
        Terminal(terminal, 3, QStringLiteral("Input"), NameSide::Above),
        Header(header, 4, 2, QStringLiteral("Input jumpers")),
        Edge(QRect(110, 376, 400, 28), 20, QStringLiteral("To the meter's main board")),
        Text(QRect(24, 290, 480, 60), ShuntNote),
    };
}

// ---- the four text windows -----------------------------------------------------

const QSize TextClient(9960, 7080);
const QRect TextOk(2280, 6600, 1095, 375);
const QRect TextPrint(840, 6600, 1095, 375);
const QRect TextArea(4320, 240, 5400, 6360);
const QRect BoardOutline(120, 120, 4080, 6360);

JumperDesign TextWindow(const QString& name, const QString& caption, int topic)
{
    JumperDesign d;
    d.name = name;
    d.caption = caption;
    d.client = TextClient;
    d.okName = QStringLiteral("cmdOK");
    d.okRect = TextOk;
    d.printRect = TextPrint;
    d.helpTopic = topic;
    d.lblTextRect = TextArea;
    return d;
}

JumperDesign PowerSupply()
{
    JumperDesign d = TextWindow(QStringLiteral("frmJPS"), QStringLiteral("Power Supply Jumpers"), 1375);
    // An eleven-pin header, the three-terminal power input and the six-terminal
    // digital input block.
    d.pictures = {
        Picture(QStringLiteral("Image1"), 600, 960, 204, 52, false,
                {Header(QRect(4, 14, 196, 24), 11, 1)}),
        Picture(QStringLiteral("Image2"), 600, 2520, 67, 26, false,
                {Terminal(QRect(1, 1, 65, 24), 3)}),
        Picture(QStringLiteral("Image3"), 600, 4200, 90, 56, false,
                {Terminal(QRect(1, 10, 88, 36), 6)}),
    };
    const int pinTop = 4200 + 56 * 15 + 60;
    auto pinLeft = [](int i) { return 600 + (1 + 88 * i / 6 + 88 / 12) * 15 - 60; };
    constexpr int PinWidth = 88 * 15 / 6 - 15; // a pixel narrower than the pitch
    d.labels = {
        {QStringLiteral("Label15"), QStringLiteral("Power Supply"), QRect(240, 240, 2400, 330), LabelStyle::Title},
        {QStringLiteral("Label1"), QStringLiteral("-1"), QRect(600, 1800, 420, 240)},
        {QStringLiteral("Label2"), QStringLiteral("-11"), QRect(3180, 1800, 480, 240)},
        {QStringLiteral("Label3"), QStringLiteral("AC Hi (+DC Hi)"), QRect(1800, 2280, 2160, 240)},
        {QStringLiteral("Label4"), QStringLiteral("AC Lo (DC Ret)"), QRect(1800, 2580, 2160, 240)},
        {QStringLiteral("Label5"), QStringLiteral("Earth Ground"), QRect(1800, 2880, 2160, 240)},
        {QStringLiteral("Label6"), QStringLiteral("Digital In B (+5V)"), QRect(2160, 4020, 1920, 240)},
        {QStringLiteral("Label7"), QStringLiteral("1"), QRect(pinLeft(0), pinTop, PinWidth, 240)},
        {QStringLiteral("Label8"), QStringLiteral("2"), QRect(pinLeft(1), pinTop, PinWidth, 240)},
        {QStringLiteral("Label9"), QStringLiteral("3"), QRect(pinLeft(2), pinTop, PinWidth, 240)},
        {QStringLiteral("Label10"), QStringLiteral("4"), QRect(pinLeft(3), pinTop, PinWidth, 240)},
        {QStringLiteral("Label11"), QStringLiteral("Digital Input A"), QRect(2160, 4320, 1920, 240)},
        {QStringLiteral("Label12"), QStringLiteral("Digital Ground"), QRect(2160, 4620, 1920, 240)},
        {QStringLiteral("Label13"), QStringLiteral("5"), QRect(pinLeft(4), pinTop, PinWidth, 240)},
        {QStringLiteral("Label14"), QStringLiteral("6"), QRect(pinLeft(5), pinTop, PinWidth, 240)},
    };
    auto screw = [&](int i) { return QRect(600 + (1 + 88 * i / 6) * 15, 4200 + 10 * 15, PinWidth, 36 * 15); };
    auto headerPin = [](int i) { return QRect(600 + (4 + 196 * i / 11) * 15, 960 + 14 * 15, 196 * 15 / 11, 24 * 15); };
    d.shapes = {
        {QStringLiteral("Shape1"), BoardOutline},
        {QStringLiteral("Shape4"), QRect(480, 840, 3300, 1260)},   // the header
        {QStringLiteral("Shape2"), QRect(480, 2160, 3600, 1020)},  // power input
        {QStringLiteral("Shape3"), QRect(480, 3900, 3600, 1500)},  // digital input and its pin numbers
        {QStringLiteral("Shape5"), screw(0), true},
        {QStringLiteral("Shape6"), screw(1), true},
        {QStringLiteral("Shape7"), screw(2), true},
        {QStringLiteral("Shape8"), screw(3), true},
        {QStringLiteral("Shape9"), screw(4), true},
        {QStringLiteral("Shape11"), screw(5), true},
        {QStringLiteral("Shape12"), headerPin(0), true},
        {QStringLiteral("Shape14"), headerPin(10), true},
    };
    return d;
}

// The eight-pin-row header shared by the RS232/485 Rev F and RS232 Rev G
// boards: two columns, row 8 at the top, row 1 at the bottom.
JumperPicture InterfaceHeader(int left, int top)
{
    return Picture(QStringLiteral("Image1"), left, top, 53, 106, false,
                   {Header(QRect(10, 3, 33, 100), 2, 8)});
}
QRect HeaderRow(int left, int top, int row) // row 8 .. 1
{
    return QRect(left + 8 * 15, top + (3 + 100 * (8 - row) / 8) * 15, 37 * 15, 100 * 15 / 8);
}

const QString Rs232Pins =
    QStringLiteral("6 N/C     5 ISO GND 4 RX      3 TX      2 RTS     1 N/C");
const QString Rs485Pins =
    QStringLiteral("6 ISO GND 5 BRX     4 ARX     3 ATX     2 BTX     1 ISO GND");

JumperDesign Rs232RevF()
{
    JumperDesign d = TextWindow(QStringLiteral("frmJRS232F"),
                                QStringLiteral("RS232/485 Digital Interface Board  Rev F"), 1380);
    constexpr int HL = 1500, HT = 1320;
    d.pictures = {
        InterfaceHeader(HL, HT),
        Picture(QStringLiteral("Image3"), 1200, 3960, 95, 82, false,
                {Jack(QRect(4, 4, 87, 74))}),
    };
    d.labels = {
        {QStringLiteral("Label4"), QStringLiteral("Rev F"), QRect(3240, 240, 840, 285), LabelStyle::Title},
        {QStringLiteral("Label3"), QStringLiteral("6 5 4 3 2 1"), QRect(1200, 3660, 1425, 240), LabelStyle::PinList},
        {QStringLiteral("Label7"), QStringLiteral("RS232   RS485  "), QRect(1020, 1020, 1800, 240), LabelStyle::PinList},
        {QStringLiteral("Label2"), QStringLiteral("8-"), QRect(HL - 420, HT + 45, 360, 240)},
        {QStringLiteral("Label1"), QStringLiteral(" 1-"), QRect(HL - 480, HT + 1320, 420, 240)},
    };
    d.shapes = {
        {QStringLiteral("Shape1"), BoardOutline},
        {QStringLiteral("Shape3"), QRect(900, 900, 2160, 2220)},
        {QStringLiteral("Shape12"), HeaderRow(HL, HT, 8), true},
        {QStringLiteral("Shape14"), HeaderRow(HL, HT, 1), true},
    };
    return d;
}

JumperDesign Rs232RevG()
{
    JumperDesign d = TextWindow(QStringLiteral("frmJRS232G"),
                                QStringLiteral("RS232 Digital Interface Board Revision G"), 1383);
    constexpr int HL = 1500, HT = 1080;
    d.pictures = {InterfaceHeader(HL, HT)};
    d.labels = {
        {QStringLiteral("Label8"), QStringLiteral("RJ11"), QRect(600, 3300, 720, 270), LabelStyle::Title},
        {QStringLiteral("Label4"), QStringLiteral("Rev G"), QRect(3240, 240, 840, 285), LabelStyle::Title},
        {QStringLiteral("Label3"), Rs232Pins, QRect(600, 3600, 0, 1500), LabelStyle::PinList},
        {QStringLiteral("Label7"), QStringLiteral("RS232/485   "), QRect(240, 240, 1800, 285), LabelStyle::Title},
        {QStringLiteral("Label2"), QStringLiteral("8-"), QRect(HL - 420, HT + 45, 360, 240)},
        {QStringLiteral("Label1"), QStringLiteral(" 1-"), QRect(HL - 480, HT + 1320, 420, 240)},
    };
    d.shapes = {
        {QStringLiteral("Shape1"), BoardOutline},
        {QStringLiteral("Shape12"), HeaderRow(HL, HT, 8), true},
        {QStringLiteral("Shape14"), HeaderRow(HL, HT, 1), true},
    };
    return d;
}

JumperDesign Rs485RevG()
{
    JumperDesign d = TextWindow(QStringLiteral("frmJRS485G"),
                                QStringLiteral("RS485 Digital Interface Board Revision G"), 1384);
    constexpr int HL = 1020, HT = 960;
    d.pictures = {
        Picture(QStringLiteral("Picture2"), HL, HT, 75, 38, false,
                {Header(QRect(3, 5, 69, 28), 8, 2)}),
        Picture(QStringLiteral("Picture3"), 600, 2280, 38, 38, false, {Jack(QRect(2, 2, 34, 34))}),
        Picture(QStringLiteral("Picture5"), 2940, 960, 54, 38, false,
                {Edge(QRect(4, 20, 46, 14), 6, QStringLiteral("To meter"), NameSide::Above)}),
        Picture(QStringLiteral("Picture6"), 600, 4200, 37, 38, false, {Jack(QRect(2, 2, 33, 34))}),
    };
    d.labels = {
        {QStringLiteral("Label3"), Rs485Pins, QRect(1380, 2220, 0, 1500), LabelStyle::PinList},
        {QStringLiteral("Label5"), Rs485Pins, QRect(1380, 4140, 0, 1500), LabelStyle::PinList},
        {QStringLiteral("Label6"), QStringLiteral("RJ11"), QRect(600, 1980, 720, 270), LabelStyle::Title},
        {QStringLiteral("Label8"), QStringLiteral("RJ11"), QRect(600, 3900, 720, 270), LabelStyle::Title},
        {QStringLiteral("Label4"), QStringLiteral("Rev G"), QRect(3240, 240, 840, 285), LabelStyle::Title},
        {QStringLiteral("Label7"), QStringLiteral("RS232/485  "), QRect(240, 240, 1800, 285), LabelStyle::Title},
        {QStringLiteral("Label2"), QStringLiteral("8-"), QRect(HL - 360, HT + 150, 330, 240)},
        {QStringLiteral("Label1"), QStringLiteral(" 1-"), QRect(HL + 75 * 15 + 15, HT + 150, 420, 240)},
    };
    auto column = [](int c) { return QRect(HL + (3 + 69 * c / 8) * 15, HT + 5 * 15, 69 * 15 / 8, 28 * 15); };
    d.shapes = {
        {QStringLiteral("Shape1"), BoardOutline},
        {QStringLiteral("Shape2"), QRect(480, 1860, 3480, 3960)},
        {QStringLiteral("Shape12"), column(0), true},
        {QStringLiteral("Shape14"), column(7), true},
    };
    return d;
}

QList<JumperDesign> Build()
{
    return {
        PictureWindow(QStringLiteral("frmJDSC"), QStringLiteral("Dual Signal Conditioner Jumpers"),
                      QStringLiteral("cmdJDSC"), QStringLiteral("imgDSC"),
                      TwoChannelBoard(QStringLiteral("DUAL SIGNAL CONDITIONER"))),
        PictureWindow(QStringLiteral("frmJDSCG"), QStringLiteral("Dual Signal Conditioner Jumpers"),
                      QStringLiteral("cmdJDSCG"), QStringLiteral("imgDSC"),
                      TwoChannelBoardLater(QStringLiteral("DUAL SIGNAL CONDITIONER   Rev G"))),
        PictureWindow(QStringLiteral("frmJVF"), QStringLiteral("V-F Signal Conditioner Jumpers"),
                      QStringLiteral("cmdOK"), QStringLiteral("imgVF"),
                      VFBoard(QStringLiteral("V-F SIGNAL CONDITIONER"), false)),
        PictureWindow(QStringLiteral("frmJVFE"), QStringLiteral("V-F Signal Conditioner Jumpers Rev E"),
                      QStringLiteral("cmdOK"), QStringLiteral("imgVF"),
                      VFBoard(QStringLiteral("V-F SIGNAL CONDITIONER   Rev E"), true)),
        PictureWindow(QStringLiteral("frmJQuad"), QStringLiteral("Quadrature Signal Conditioner Jumpers"),
                      QStringLiteral("cmdOK"), QStringLiteral("imgQuad"),
                      TwoChannelBoard(QStringLiteral("QUADRATURE SIGNAL CONDITIONER"))),
        PictureWindow(QStringLiteral("frmJQuadC"),
                      QStringLiteral("Quadrature Signal Conditioner Jumpers - Revision C and above"),
                      QStringLiteral("cmdOK"), QStringLiteral("imgQuad"),
                      TwoChannelBoardLater(QStringLiteral("QUADRATURE SIGNAL CONDITIONER   Rev C"))),
        PowerSupply(),
        Rs232RevF(),
        Rs232RevG(),
        Rs485RevG(),
    };
}

} // namespace

const QList<JumperDesign>& JumperDesigns()
{
    static const QList<JumperDesign> designs = Build();
    return designs;
}

const JumperDesign* FindJumperDesign(const QString& name)
{
    for (const JumperDesign& d : JumperDesigns())
        if (d.name == name)
            return &d;
    return nullptr;
}

} // namespace views
