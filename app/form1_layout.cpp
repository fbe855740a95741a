// Builds the main window's controls at their design places. All places are twips,
// 15 to a logical pixel: in the client area, in the tab control (tab strip included),
// or inside a picture area's border.

#include "data1.h"
#include "designfont.h"
#include "form1.h"
#include "labels.h"
#include "tabcontrol.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

QRect twips(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

constexpr int kClientWidth = 8625;
constexpr int kClientHeight = 6150;
constexpr int kPictureBorder = 2; // the sunken single border of a picture area

// Status bar panel widths, HIMETRIC converted to pixels (2540 HIMETRIC to the inch, 96 pixels).
constexpr int himetricToPixels(int himetric)
{
    return (himetric * 96 + 1270) / 2540;
}

struct PageText {
    const char* caption;
    const char* pageName;
};
constexpr PageText kPages[] = {
    { "六角穴付ボルト各部の寸法", "SSTab1_Page1" },
    { "座ぐり寸法：１（参考）", "SSTab1_Page2" },
    { "座ぐり寸法：２（参考）", "SSTab1_Page3" },
};

// In the file's own pixel format (8-bit palette) instead of 32 bits per pixel: the pages not
// shown at start take a quarter of the memory, and painting it gives the same pixels.
QPixmap loadDrawing(const QString& path)
{
    return QPixmap::fromImage(QImage(path), Qt::NoFormatConversion);
}

// On a high-density screen the drawing drawn at twice the size, so lines stay sharp.
QPixmap drawingFor(const QString& image, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        QString sharp = image;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap = loadDrawing(sharp);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return loadDrawing(image);
}

} // namespace

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("File"));
    QAction* quit = file->addAction(QStringLiteral("終了"));
    quit->setObjectName(QStringLiteral("Quit"));
    connect(quit, &QAction::triggered, this, &Form1::Quit_Click);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("View"));
    QMenu* frontTop = view->addMenu(QStringLiteral("常に手前表示"));
    frontTop->setObjectName(QStringLiteral("FrontTop"));
    m_formTopOn = frontTop->addAction(QStringLiteral("ON"));
    m_formTopOn->setObjectName(QStringLiteral("FormTop_ON"));
    m_formTopOn->setShortcut(QKeySequence(Qt::Key_F4));
    m_formTopOn->setCheckable(true);
    connect(m_formTopOn, &QAction::triggered, this, &Form1::FormTop_ON_Click);
    m_formTopOff = frontTop->addAction(QStringLiteral("OFF"));
    m_formTopOff->setObjectName(QStringLiteral("FormTop_OFF"));
    m_formTopOff->setShortcut(QKeySequence(Qt::Key_F5));
    m_formTopOff->setCheckable(true);
    connect(m_formTopOff, &QAction::triggered, this, &Form1::FormTop_OFF_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* about = help->addAction(QStringLiteral("ロスタリについて"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &Form1::About_Click);

    // F4 and F5 work without opening the menu.
    addActions({ m_formTopOn, m_formTopOff });
}

void Form1::buildClientArea()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1_Client"));
    client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    setCentralWidget(client);

    // Created back to front: a later sibling covers an earlier one.
    m_command1 = new QPushButton(QStringLiteral("終　了"), client);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twips(1110, 4680, 975, 375));
    // It lies under the tab control and is never seen, so it must not take the focus either.
    m_command1->setFocusPolicy(Qt::NoFocus);
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    m_sstab1 = new TabControl(QStringLiteral("SSTab1"), client);
    m_sstab1->setGeometry(twips(0, 0, 8595, 5835));
    QWidget* pages[3];
    for (int i = 0; i < 3; ++i)
        pages[i] = m_sstab1->addPage(QString::fromUtf8(kPages[i].caption), QLatin1String(kPages[i].pageName));
    m_sstab1->setCurrentIndex(0);

    m_statusBar1 = new QStatusBar(client);
    m_statusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar1->setGeometry(twips(0, 5835, kClientWidth, 315));
    m_statusBar1->setSizeGripEnabled(false);
    m_panel1 = new QLabel(m_statusBar1);
    m_panel1->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel1->setFixedWidth(himetricToPixels(13017));
    m_panel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_panel1->setTextFormat(Qt::PlainText);
    m_panel2 = new QLabel(m_statusBar1);
    m_panel2->setObjectName(QStringLiteral("StatusBar1_Panel2"));
    m_panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel2->setMinimumWidth(himetricToPixels(2117));
    m_panel2->setAlignment(Qt::AlignCenter);
    m_panel2->setTextFormat(Qt::PlainText);
    m_statusBar1->addWidget(m_panel1, 0);
    m_statusBar1->addWidget(m_panel2, 1);

    m_data1 = new DataControl(client);
    m_data1->setGeometry(twips(5580, 5400, 2895, 375));

    buildPage1(pages[0]);
    buildPage2(pages[1]);
    buildPage3(pages[2]);
}

QLabel* Form1::addPicture(QWidget* page, const QString& name, const QString& image)
{
    auto* picture = new QLabel(page);
    picture->setObjectName(name);
    picture->setGeometry(twips(60, 360, 8475, 4995));
    picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    picture->setLineWidth(kPictureBorder);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(drawingFor(image, picture->devicePixelRatioF()));
    return picture;
}

ValueLabel* Form1::addValue(QWidget* parent, const char* name, const char* placeholder, const char* field, int left,
    int top, int width, int height, qreal points)
{
    auto* label = new ValueLabel(QLatin1String(name), QString::fromUtf8(placeholder), points, parent);
    // Inside a picture area, places count from the inner corner, inside the border.
    const bool inPicture = qobject_cast<QLabel*>(parent) != nullptr;
    label->setGeometry(
        twips(left, top, width, height).translated(inPicture ? QPoint(kPictureBorder, kPictureBorder) : QPoint()));
    if (field)
        m_data1->bind(label, QString::fromUtf8(field));
    return label;
}

ValueLabel* Form1::addDesignationRow(QWidget* page, const char* designation, const char* times, const char* pitch)
{
    ValueLabel* label = addValue(page, designation, "M", "ネジの呼び", 120, 5400, 855, 345, 14.25);
    auto* x = new CaptionLabel(
        QLatin1String(times), QStringLiteral("×"), designFont(12), CaptionLabel::Sizing::FitText, page);
    x->place(twips(1020, 5460, 240, 240));
    addValue(page, pitch, "p", "ネジのピッチ", 1320, 5400, 765, 345, 14.25);
    return label;
}

void Form1::addUnitCaption(QLabel* picture, const char* name, int left, int top)
{
    auto* unit = new CaptionLabel(
        QLatin1String(name), QStringLiteral("単位：mm"), designFont(12), CaptionLabel::Sizing::FitText, picture);
    unit->place(twips(left, top, 960, 240).translated(kPictureBorder, kPictureBorder));
}

void Form1::buildPage1(QWidget* page)
{
    QLabel* picture = addPicture(page, QStringLiteral("Picture1"), QStringLiteral(":/drawings/picture1.png"));
    m_label1 = addDesignationRow(page, "Label1", "Label0_1", "Label2_0");

    addUnitCaption(picture, "Label0_0", 7020, 300);
    addValue(picture, "Label8", "t", "ｔ", 2700, 300, 600, 300);
    addValue(picture, "Label9", "w", "ｗ", 4200, 600, 600, 300);
    addValue(picture, "Label10", "da", "ｄａ", 5295, 480, 780, 300);
    addValue(picture, "Label11", "ds", "ｄｓ", 5715, 840, 705, 300);
    addValue(picture, "Label5", "e", "ｅ", 1260, 840, 705, 300);
    addValue(picture, "Label7", "v", "ｖ", 2520, 1020, 600, 300);
    addValue(picture, "Label3", "M", "ネジの呼び", 7260, 1080, 705, 300);
    addValue(picture, "Label6", "dk", "ｄｋ", 2460, 1980, 600, 300);
    m_label13 = addValue(picture, "Label13", "L-13", nullptr, 4770, 3060, 705, 300);
    addValue(picture, "Label4", "s", "ｓ", 1440, 3420, 600, 300);
    m_label14 = addValue(picture, "Label14", "L-14", nullptr, 4800, 3615, 705, 300);
    m_label15 = addValue(picture, "Label15", "L-15", nullptr, 6585, 3615, 705, 300);
    addValue(picture, "Label12", "k", "ｋ", 3780, 4140, 600, 300);

    m_combo1 = new QComboBox(picture);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(false);
    m_combo1->setFont(designFont(11.25));
    m_combo1->setGeometry(twips(5700, 4155, 870, 345).translated(kPictureBorder, kPictureBorder));
    m_combo1->setFocusPolicy(Qt::StrongFocus);
    m_combo1->setAccessibleName(QStringLiteral("呼び長さ l"));
}

void Form1::buildPage2(QWidget* page)
{
    QLabel* picture = addPicture(page, QStringLiteral("Picture2"), QStringLiteral(":/drawings/picture2.png"));
    addDesignationRow(page, "Label35_2", "Label0_2", "Label2_1");

    addUnitCaption(picture, "Label0_7", 3780, 360);
    addValue(picture, "Label16_0", "D", "Ｄ", 1635, 510, 735, 300);
    addValue(picture, "Label16_1", "D", "Ｄ", 6000, 510, 720, 300);
    addValue(picture, "Label17_0", "dk", "ｄｋ", 1650, 1020, 720, 300);
    addValue(picture, "Label17_1", "dk", "ｄｋ", 6000, 1020, 720, 300);
    addValue(picture, "Label20", "H\"", "Ｈ''", 3390, 1140, 600, 300);
    addValue(picture, "Label21", "H'", "Ｈ'", 4290, 1140, 600, 300);
    addValue(picture, "Label18", "ds", "ｄｓ", 3840, 2565, 780, 300);
    addValue(picture, "Label19", "d'", "ｄ'", 3840, 3150, 780, 300);
}

void Form1::buildPage3(QWidget* page)
{
    QLabel* picture = addPicture(page, QStringLiteral("Picture3"), QStringLiteral(":/drawings/picture3.png"));
    addDesignationRow(page, "Label35_1", "Label0_3", "Label2_2");

    addUnitCaption(picture, "Label0_4", 3060, 2490);
    // The washer captions set no font of their own: the window's default.
    struct Caption {
        const char* name;
        const char* text;
        CaptionLabel::Sizing sizing;
        int left, top, width, height;
    };
    using S = CaptionLabel::Sizing;
    const Caption captions[] = {
        { "Label0_5", "ばね座金", S::FitText, 540, 360, 720, 180 },
        { "Label0_6", "平座金 （並丸）", S::WrapInBox, 4620, 360, 600, 360 },
        { "Label0_8", " 平座金 （小形丸）", S::WrapInBox, 480, 2820, 720, 375 },
        { "Label0_9", "ばね座金 平座金 兼用", S::WrapInBox, 4485, 2760, 765, 540 },
    };
    for (const Caption& c : captions) {
        auto* label = new CaptionLabel(
            QLatin1String(c.name), QString::fromUtf8(c.text), defaultWindowFont(), c.sizing, picture);
        label->place(twips(c.left, c.top, c.width, c.height).translated(kPictureBorder, kPictureBorder));
    }
    addValue(picture, "Label22", "D1", "Ｄ１", 1500, 240, 780, 300);
    addValue(picture, "Label23", "h1", "ｈ１", 3240, 465, 600, 300);
    addValue(picture, "Label24", "t1", "ｔ１", 3450, 1890, 600, 300);
    addValue(picture, "Label25", "D2", "Ｄ２", 5490, 240, 780, 300);
    addValue(picture, "Label26", "h2", "ｈ２", 7245, 465, 600, 300);
    addValue(picture, "Label27", "t2", "ｔ２", 7425, 1890, 600, 300);
    addValue(picture, "Label28", "D3", "Ｄ３", 1500, 2730, 780, 300);
    addValue(picture, "Label29", "h4", "ｈ４", 3240, 3000, 600, 300);
    addValue(picture, "Label30", "t4", "ｔ４", 3450, 4395, 600, 300);
    addValue(picture, "Label31", "D2", "Ｄ２", 5490, 2730, 780, 300);
    addValue(picture, "Label32", "h3", "ｈ３", 7230, 2985, 600, 300);
    addValue(picture, "Label33", "t3", "ｔ３", 7440, 4515, 600, 300);
}
