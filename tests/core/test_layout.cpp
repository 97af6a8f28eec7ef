#include "core/layout/browse_layout.h"
#include "core/layout/editor_layout.h"
#include "core/layout/picture_fit.h"
#include "core/layout/search_layout.h"

#include <QtTest>

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void browseThumbnail_data()
    {
        QTest::addColumn<double>("pw");
        QTest::addColumn<double>("ph");
        QTest::addColumn<bool>("stretched");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        // Natural size: the natural twips size (here 600 x 450) is what is shown.
        QTest::newRow("small picture") << 400.0 << 300.0 << false << 600.0 << 450.0;
        QTest::newRow("landscape, height capped") << 5000.0 << 2000.0 << true << 2775.0 << 1110.0;
        QTest::newRow("landscape, width only") << 9000.0 << 1000.0 << true << 2920.0 << 2920.0 / 9;
    }
    void browseThumbnail()
    {
        QFETCH(double, pw);
        QFETCH(double, ph);
        QFETCH(bool, stretched);
        QFETCH(double, width);
        QFETCH(double, height);
        const ThumbPlacement t = fitBrowseThumbnail(3100, 1290, pw, ph, 600, 450);
        QCOMPARE(t.stretched, stretched);
        QCOMPARE(t.width, width);
        QCOMPARE(t.height, height);
        QCOMPARE(t.left, (3100 - width) / 2);
        QCOMPARE(t.top, (1290 - height) / 2 + (stretched ? 45 : 35));
    }

    void browseLayoutFitsAtAnySize_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("smallest") << 9700.0 << 6500.0;
        QTest::newRow("large") << 18000.0 << 12000.0;
    }
    void browseLayoutFitsAtAnySize()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        const BrowseLayout l = layOutBrowseWindow(width, height);
        QCOMPARE(l.backPanel.top, 560.0);
        QCOMPARE(l.backPanel.height, height - 560);
        QCOMPARE(l.listPanel.height + l.detailsPanel.height, l.backPanel.height);
        QCOMPARE(l.textPanel.left + l.textPanel.width, width);
        QVERIFY(l.listPanel.right() <= l.textPanel.left);
        // The right column stacks label, box, label, box, label, box, buttons, inside the frame.
        const TwipRect column[] = {l.ingredientsCaption, l.ingredientsBox, l.preparationCaption,
                                   l.preparationBox,     l.notesCaption,   l.notesBox};
        for (int i = 1; i < 6; ++i)
            QCOMPARE(column[i].top, column[i - 1].bottom());
        QCOMPARE(l.buttonPanel.top, l.notesBox.bottom() + 125);
        QVERIFY(l.buttonPanel.bottom() <= l.textPanel.height);
        QCOMPARE(l.ingredientsBox.height, l.preparationBox.height);
        const double extra = browseExtraSpace(l.backPanel.height);
        QVERIFY(extra >= 0);
        QCOMPARE(l.notesBox.height, 0.1319 * (l.backPanel.height + extra));
        // The left column: list, picture frame, its caption, all inside their frame.
        QCOMPARE(l.pictureFrame.top, l.recipeList.bottom() + 40);
        QCOMPARE(l.viewPictureLabel.top, l.pictureFrame.bottom());
        QVERIFY(l.viewPictureLabel.bottom() <= l.listPanel.height);
        QVERIFY(l.categoryCombo.bottom() <= l.recipeList.top);
    }

    void viewerSizing()
    {
        // A picture smaller than the screen less 2200 twips keeps its size and is centred.
        ViewerGeometry g = fitImageViewer(19200, 14400, 4500, 3000, 7938, 5292);
        QVERIFY(!g.stretched);
        QCOMPARE(g.width, 4500.0);
        QCOMPARE(g.left, (19200 - 4500) / 2);
        QCOMPARE(g.top, (14400 - 3000) / 2);
        // Too wide: scaled to the screen width less 2200, keeping its shape.
        g = fitImageViewer(19200, 14400, 30000, 15000, 50000, 25000);
        QVERIFY(g.stretched);
        QCOMPARE(g.width, 17000.0);
        QCOMPARE(g.height, 8500.0);
        QCOMPARE(g.left, 1100);
        QCOMPARE(g.top, 2950);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
