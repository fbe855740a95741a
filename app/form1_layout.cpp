// Builds the main window's controls at their design places. All places are twips,
// 15 to a logical pixel: in the client area, in the tab control (tab strip included),
// or inside a picture area's border.

#include "data1.h"
#include "designfont.h"
#include "designunits.h"
#include "dimensiontext.h"
#include "drawings.h"
#include "exportactions.h"
#include "form1.h"
#include "labels.h"
#include "lengthlist.h"
#include "pagelabels.h"
#include "recordbinding.h"
#include "recordsource.h"
#include "sheetcontent.h"
#include "tabcontrol.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

constexpr int kClientWidth = 8625;
constexpr int kClientHeight = 6150;
constexpr int kPictureBorder = 2; // the sunken single border of a picture area

} // namespace

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("File"));
    QAction* reload = file->addAction(QStringLiteral("再読み込み(&R)"));
    reload->setObjectName(QStringLiteral("Reload"));
    reload->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(reload, &QAction::triggered, m_records, &quill::RecordSource::reload);
    file->addSeparator();
    m_export = new ExportActions(this, m_records, [this] { return sheetContentOf(*this); });
    file->addActions({ m_export->print(), m_export->savePdf(), m_export->saveDxf() });
    file->addSeparator();
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

    QMenu* tools = menuBar()->addMenu(QStringLiteral("ﾂｰﾙ(&T)"));
    tools->setObjectName(QStringLiteral("Tools"));
    QAction* chooseLength = tools->addAction(QStringLiteral("呼び長さの選定(&L)..."));
    chooseLength->setObjectName(QStringLiteral("ChooseLength"));
    chooseLength->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(chooseLength, &QAction::triggered, this, &Form1::ChooseLength_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* about = help->addAction(QStringLiteral("ロスタリについて"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &Form1::About_Click);

    // F4, F5 and Ctrl+R work without opening the menu.
    addActions({ m_formTopOn, m_formTopOff, reload });
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
    m_command1->setGeometry(twipsRect(1110, 4680, 975, 375));
    // It lies under the tab control and is never seen, so it must not take the focus either.
    m_command1->setFocusPolicy(Qt::NoFocus);
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    m_sstab1 = new TabControl(QStringLiteral("SSTab1"), m_fonts, client);
    m_sstab1->setGeometry(twipsRect(0, 0, 8595, 5835));
    QWidget* pages[3];
    for (std::size_t i = 0; i < pageTexts().size(); ++i)
        pages[i] = m_sstab1->addPage(QString::fromUtf8(pageTexts()[i].caption), QLatin1String(pageTexts()[i].pageName));
    m_sstab1->setCurrentIndex(0);

    m_statusBar1 = new QStatusBar(client);
    m_statusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar1->setGeometry(twipsRect(0, 5835, kClientWidth, 315));
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

    m_data1 = new DataControl(m_records, m_fonts, client);
    m_data1->setGeometry(twipsRect(5580, 5400, 2895, 375));

    buildPage1(pages[0]);
    buildPage2(pages[1]);
    buildPage3(pages[2]);
}

QLabel* Form1::addPicture(QWidget* page, const QString& name, const QString& drawing)
{
    auto* picture = new PictureLabel(drawing, page);
    picture->setObjectName(name);
    picture->setGeometry(twipsRect(60, 360, 8475, 4995));
    picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    picture->setLineWidth(kPictureBorder);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

void Form1::addPageLabels(int index, QWidget* page, QLabel* picture)
{
    for (const PageLabel& entry : pageLabels(index)) {
        const bool inPicture = entry.in == PageLabel::In::Picture;
        QWidget* parent = inPicture ? static_cast<QWidget*>(picture) : page;
        // Inside a picture area, places count from the inner corner, inside the border.
        const QRect box = twipsRect(entry.left, entry.top, entry.width, entry.height)
                              .translated(inPicture ? QPoint(kPictureBorder, kPictureBorder) : QPoint());
        const QString name = QLatin1String(entry.name);
        const QString text = entry.placeholder();
        if (entry.kind == PageLabel::Kind::Value) {
            auto* label = new ValueLabel(name, text, valueFont(entry.points), entry.description(), parent);
            label->setGeometry(box);
            if (const QString field = entry.field(); !field.isEmpty())
                m_binding->bind(label, field);
            // The labels the program itself reads or writes.
            switch (entry.dimension->id) {
            case quill::DimensionId::Designation:
                if (!m_label1)
                    m_label1 = label; // the first: page 1's, under the drawing
                break;
            case quill::DimensionId::ShankLength:
                m_label13 = label;
                break;
            case quill::DimensionId::GripLength:
                m_label14 = label;
                break;
            case quill::DimensionId::ThreadLength:
                m_label15 = label;
                break;
            default:
                break;
            }
            continue;
        }
        const QFont font = entry.points > 0 ? m_fonts.design(entry.points) : m_fonts.windowDefault();
        const auto sizing
            = entry.kind == PageLabel::Kind::Caption ? CaptionLabel::Sizing::FitText : CaptionLabel::Sizing::WrapInBox;
        auto* caption = new CaptionLabel(name, text, font, sizing, parent);
        caption->place(box);
    }
}

const ValueFont& Form1::valueFont(qreal points)
{
    auto found = m_valueFonts.find(points);
    if (found == m_valueFonts.end())
        found = m_valueFonts.emplace(points, ValueFont(m_fonts.design(points))).first;
    return found->second;
}

void Form1::buildPage1(QWidget* page)
{
    QLabel* picture = addPicture(page, QStringLiteral("Picture1"), QStringLiteral("picture1"));
    addPageLabels(0, page, picture);

    m_combo1 = new LengthList(picture);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setFont(m_fonts.design(11.25));
    m_combo1->setGeometry(twipsRect(5700, 4155, 870, 345).translated(kPictureBorder, kPictureBorder));
    m_combo1->setFocusPolicy(Qt::StrongFocus);
    m_combo1->setAccessibleName(quill::descriptionOf(quill::dimension(quill::DimensionId::NominalLength)));
}

void Form1::buildPage2(QWidget* page)
{
    addPageLabels(1, page, addPicture(page, QStringLiteral("Picture2"), QStringLiteral("picture2")));
}

void Form1::buildPage3(QWidget* page)
{
    addPageLabels(2, page, addPicture(page, QStringLiteral("Picture3"), QStringLiteral("picture3")));
}
