#include "views/frmJumper.h"

#include "help/HelpState.h"
#include "help/HelpViewer.h"
#include "pages/Shared.h"
#include "platform/Appearance.h"
#include "platform/Fonts.h"
#include "platform/Printing.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace views {

using platform::TwipsRect;

namespace {

// An outline drawn over the pictures: a frame around a group of parts, or a
// coloured marker on a pin. It takes no clicks, so what lies under it stays
// usable.
class Shape : public QWidget {
public:
    Shape(QWidget* parent, bool marker) : QWidget(parent), marker_(marker)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QColor colour = marker_ ? QColor(255, 0, 0) : QColor(0, 0, 0);
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }

private:
    bool marker_;
};

QFont LabelFont(LabelStyle style)
{
    switch (style) {
    case LabelStyle::Title: return platform::DesignFont(QStringLiteral("Times New Roman"), 12, true);
    case LabelStyle::PinList: return platform::DesignFont(QStringLiteral("Courier New"), 9, true);
    case LabelStyle::Plain: break;
    }
    return platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
}

} // namespace

frmJumper::frmJumper(const JumperDesign& design) : platform::Form(design.name), design_(design)
{
    setWindowTitle(design.caption);
    SetDesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    SetClientSizeTwips(design.client.width(), design.client.height());

    // Pictures first, then the shapes over them, then the labels on top.
    for (const JumperPicture& pic : design.pictures) {
        auto* image = new QLabel(this);
        image->setObjectName(pic.name);
        image->setPixmap(QPixmap::fromImage(DrawSketch(pic.sketch)));
        image->setGeometry(QRect(platform::Px(pic.at.x()), platform::Px(pic.at.y()),
                                 pic.sketch.size.width(), pic.sketch.size.height()));
        image->setAccessibleName(QStringLiteral("Board drawing"));
        image->setAccessibleDescription(DescribeSketch(pic.sketch));
    }
    for (const JumperShape& s : design.shapes) {
        auto* shape = new Shape(this, s.marker);
        shape->setObjectName(s.name);
        shape->setGeometry(TwipsRect(s.rect.x(), s.rect.y(), s.rect.width(), s.rect.height()));
    }
    for (const JumperLabel& l : design.labels) {
        auto* label = new QLabel(l.text, this);
        label->setObjectName(l.name);
        label->setTextFormat(Qt::PlainText);
        label->setFont(LabelFont(l.style));
        QRect at = TwipsRect(l.rect.x(), l.rect.y(), l.rect.width(), l.rect.height());
        if (l.style == LabelStyle::PinList && l.rect.width() == 0) {
            // The list is written ten characters a pin; a label just wider
            // than ten characters shows one pin a line.
            const QFontMetrics fm(label->font());
            const int ten = fm.horizontalAdvance(QString(10, QLatin1Char('0')));
            at.setWidth(ten + fm.horizontalAdvance(QLatin1Char('0')) / 2);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        } else if (l.style == LabelStyle::PinList) {
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
        label->setGeometry(at);
    }

    if (IsTextWindow()) {
        lblText = new QLabel(QStringLiteral(" "), this);
        lblText->setObjectName(QStringLiteral("lblText"));
        lblText->setTextFormat(Qt::PlainText);
        lblText->setFont(platform::DesignFont(QStringLiteral("Arial"), 9));
        lblText->setWordWrap(true);
        lblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lblText->setMargin(4);
        platform::SetBackColor(lblText, 0x00FFFFFF);
        const QRect& r = design.lblTextRect;
        lblText->setGeometry(TwipsRect(r.x(), r.y(), r.width(), r.height()));
    }

    cmdPrinter = new QPushButton(QStringLiteral("Print"), this);
    cmdPrinter->setObjectName(QStringLiteral("cmdPrinter"));
    cmdPrinter->setGeometry(TwipsRect(design.printRect.x(), design.printRect.y(),
                                      design.printRect.width(), design.printRect.height()));
    connect(cmdPrinter, &QPushButton::clicked, this, [this] { cmdPrinter_Click(); });

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(design.okName);
    cmdOK->setGeometry(TwipsRect(design.okRect.x(), design.okRect.y(), design.okRect.width(),
                                 design.okRect.height()));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmJumper::Form_Activate()
{
    if (!IsTextWindow())
        return;
    // The text is fetched again on every activation, so a help file
    // replaced meanwhile shows at once.
    pages::CurForm = this;
    help::HelpTopic = design_.helpTopic;
    help::ShowHelpText(this);
    cmdOK->setEnabled(true);
}

void frmJumper::cmdOK_Click()
{
    if (IsTextWindow()) {
        // The help look-up closes its files itself; nothing is left open.
        platform::Unload(this);
        return;
    }
    platform::SetMousePointer(this, platform::MousePointer::Hourglass);
    platform::ShowForm(QStringLiteral("frmMMenu"));
    platform::SetMousePointer(this, platform::MousePointer::Default);
}

void frmJumper::cmdPrinter_Click()
{
    platform::PrintForm(this);
}

void frmJumper::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
    // A picture window closed by its close box: the main menu hid itself for
    // this window and must come back, or no window would be left.
    if (IsTextWindow() || platform::ProgramEnding())
        return;
    platform::Form* menu = platform::Find(QStringLiteral("frmMMenu"));
    if (menu && menu->isHidden())
        menu->Show();
}

} // namespace views
