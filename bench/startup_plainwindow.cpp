// A floor for startup_bench: stock Qt widgets showing what the window shows at start, in the
// same fonts at the same sizes (menu bar, tab strip, page 1's labels, length list, Data1's
// caption, status bar) over a blank picture of the drawing's size. No database, reader,
// drawing, hidden pages, bindings or value fitting. What startup_bench costs beyond this is
// the program's own work; what this costs beyond startup_baseline is the texts and fonts.

#include "designfont.h"
#include "designunits.h"
#include "firstpaint.h"
#include "pagelabels.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTabBar>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);

    QMainWindow window;
    const DesignFonts fonts;
    window.setFont(fonts.windowDefault());
    for (const char* menu : { "ﾌｧｲﾙ(&F)", "表示(&V)", "ﾍﾙﾌﾟ(&H)" })
        window.menuBar()->addMenu(QString::fromUtf8(menu))->addAction(QStringLiteral("終了"));
    auto* client = new QWidget(&window);
    client->setFixedSize(twipsToPixels(8625), twipsToPixels(6150));
    window.setCentralWidget(client);

    auto* tabs = new QTabBar(client);
    tabs->setFont(fonts.design(9.75));
    for (const PageText& page : pageTexts())
        tabs->addTab(QString::fromUtf8(page.caption));
    tabs->setGeometry(twipsRect(0, 0, 8595, 360));
    auto* picture = new QLabel(client);
    picture->setGeometry(twipsRect(60, 360, 8475, 4995));
    QPixmap blank(picture->size());
    blank.fill(Qt::white);
    picture->setPixmap(blank);

    QLabel* last = nullptr;
    for (const PageLabel& entry : pageLabels(0)) {
        last = new QLabel(entry.placeholder(), client);
        last->setFont(entry.points > 0 ? fonts.design(entry.points) : fonts.windowDefault());
        last->setGeometry(twipsRect(entry.left, entry.top, entry.width, entry.height));
    }
    auto* lengths = new QComboBox(client);
    lengths->setFont(fonts.design(11.25));
    for (int length = 5; length <= 100; length += 5)
        lengths->addItem(QString::number(length));
    lengths->setGeometry(twipsRect(5700, 4155, 870, 345));
    auto* caption = new QLabel(QStringLiteral("Data1"), client);
    caption->setFont(fonts.design(9.75));
    caption->setGeometry(twipsRect(6300, 5400, 1400, 375));
    auto* status = new QStatusBar(client);
    status->setGeometry(twipsRect(0, 5835, 8625, 315));
    status->addWidget(new QLabel(QString::fromUtf8(pageTexts()[0].status)), 1);
    status->addWidget(new QLabel(QStringLiteral("FormTop")));

    new FirstPaint(last, 0);
    window.show();
    return QApplication::exec();
}
