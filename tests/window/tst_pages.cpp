// Each page as the user sees it: the drawing unscaled at the picture's inner corner, caption
// labels letting it show through, and no value label over an arrowhead.

#include "fixtures.h"
#include "tabcontrol.h"
#include "testmain.h"
#include "windowtest.h"

#include <QComboBox>
#include <QImage>
#include <QTemporaryDir>

namespace {

// Inside filled arrowheads only: lines are one pixel wide, so a 3 × 3 black block is an arrowhead.
QList<QPoint> arrowheadPixels(const QImage& drawing)
{
    QList<QPoint> points;
    for (int y = 1; y + 1 < drawing.height(); ++y)
        for (int x = 1; x + 1 < drawing.width(); ++x) {
            bool block = true;
            for (int dy = -1; dy <= 1 && block; ++dy)
                for (int dx = -1; dx <= 1 && block; ++dx)
                    block = drawing.pixel(x + dx, y + dy) == qRgb(0, 0, 0);
            if (block)
                points.append(QPoint(x, y));
        }
    return points;
}

} // namespace

class TestPages : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(enterNewFolder(m_dir));
        fixtures::write(m_dir->path(), fixtures::sizeTable());
    }

    void drawingShowsAroundTheLabels_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("image");
        QTest::newRow("page 1") << 0 << QStringLiteral("Picture1") << QStringLiteral(":/drawings/picture1.bmp");
        QTest::newRow("page 2") << 1 << QStringLiteral("Picture2") << QStringLiteral(":/drawings/picture2.bmp");
        QTest::newRow("page 3") << 2 << QStringLiteral("Picture3") << QStringLiteral(":/drawings/picture3.bmp");
    }
    void drawingShowsAroundTheLabels()
    {
        QFETCH(int, page);
        QFETCH(QString, picture);
        QFETCH(QString, image);
        auto form = startWindow();
        // The last record fills every label, so each value label is at its widest text.
        QTest::mouseClick(child<QWidget>(form.get(), "Data1_MoveLast"), Qt::LeftButton);
        child<TabControl>(form.get(), "SSTab1")->setCurrentIndex(page);
        QWidget* area = form->findChild<QWidget*>(picture);
        QVERIFY(area && area->isVisible());
        const QImage drawing = QImage(image).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!drawing.isNull());
        const QImage shown = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // A part repainted alone looks as it does in the whole.
        const QRect part(37, 41, 203, 77);
        QCOMPARE(area->grab(part).toImage().convertToFormat(QImage::Format_RGB32), shown.copy(part));
        const QPoint inner(2, 2); // inside the sunken border
        const QSize visible = area->size() - QSize(4, 4);

        QList<QRect> opaque; // value labels and the length list, in drawing pixels
        QList<QRect> captions;
        for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect r = w->geometry().translated(-inner);
            auto* label = qobject_cast<QLabel*>(w);
            (label && !label->autoFillBackground() ? captions : opaque).append(r);
        }
        QVERIFY(opaque.size() >= 8);
        QVERIFY(captions.size() >= 1);

        int compared = 0;
        for (int y = 0; y < visible.height(); ++y)
            for (int x = 0; x < visible.width(); ++x) {
                const QPoint p(x, y);
                auto inAny = [&](const QList<QRect>& rects) {
                    return std::any_of(rects.begin(), rects.end(), [&](const QRect& r) { return r.contains(p); });
                };
                if (inAny(opaque) || inAny(captions))
                    continue;
                // Unscaled, at the inner corner, clipped at the border.
                QVERIFY2(shown.pixel(p + inner) == drawing.pixel(p), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                ++compared;
            }
        QVERIFY(compared > visible.width() * visible.height() / 2);

        // Caption labels are transparent: much of their box is still the drawing (an opaque one would show none).
        for (const QRect& r : std::as_const(captions)) {
            int same = 0;
            const QRect seen = r & QRect(QPoint(), visible);
            for (int y = seen.top(); y <= seen.bottom(); ++y)
                for (int x = seen.left(); x <= seen.right(); ++x)
                    same += shown.pixel(QPoint(x, y) + inner) == drawing.pixel(x, y);
            QVERIFY2(same * 4 > seen.width() * seen.height(),
                qPrintable(QStringLiteral("caption at %1,%2").arg(r.x()).arg(r.y())));
        }

        // Every arrowhead stays black on screen: no value label or list lies over one.
        const QList<QPoint> arrowheads = arrowheadPixels(drawing);
        QVERIFY(arrowheads.size() > 20);
        for (const QPoint& p : arrowheads) {
            if (p.x() >= visible.width() || p.y() >= visible.height())
                continue;
            QVERIFY2(shown.pixel(p + inner) == qRgb(0, 0, 0),
                qPrintable(QStringLiteral("arrowhead %1,%2").arg(p.x()).arg(p.y())));
        }
    }

    // The drawings do not depend on the record or the length.
    void drawingsStayTheSameForEverySize()
    {
        auto form = startWindow();
        QWidget* area = form->findChild<QWidget*>(QStringLiteral("Picture1"));
        auto pictureOf = [&] { return qobject_cast<QLabel*>(area)->pixmap().toImage(); };
        const QImage first = pictureOf();
        QTest::mouseClick(child<QWidget>(form.get(), "Data1_MoveLast"), Qt::LeftButton);
        child<QComboBox>(form.get(), "Combo1")->setCurrentIndex(20);
        QCOMPARE(pictureOf(), first);
        QCOMPARE(first.size(), QSize(597, 391));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

ROSTARI_TEST_MAIN(TestPages)
#include "tst_pages.moc"
