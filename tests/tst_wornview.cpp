// Skins and capes drawn as worn. The textures are painted here by the rule
// the texture files follow: each body part is a box unfolded into the image,
// its faces laid out from its corner as top and bottom, then right side,
// front, left side and back. Every face of every layer gets a colour of its
// own, so a face drawn in the wrong place, mirrored or not at all shows.
#include "TestTable.h"
#include "WornView.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>

#include <array>

namespace {

// One box of the player model: where its unfolding starts in the 64x64
// layout, and its width, height and depth.
struct Box {
    const char* name;
    QPoint corner;
    int width;
    int height;
    int depth;
    bool overlay;
};

std::array<Box, 12> Boxes(int arm) {
    return {{
        {"head", {0, 0}, 8, 8, 8, false},
        {"hat", {32, 0}, 8, 8, 8, true},
        {"body", {16, 16}, 8, 12, 4, false},
        {"jacket", {16, 32}, 8, 12, 4, true},
        {"right arm", {40, 16}, arm, 12, 4, false},
        {"right sleeve", {40, 32}, arm, 12, 4, true},
        {"left arm", {32, 48}, arm, 12, 4, false},
        {"left sleeve", {48, 48}, arm, 12, 4, true},
        {"right leg", {0, 16}, 4, 12, 4, false},
        {"right trousers", {0, 32}, 4, 12, 4, true},
        {"left leg", {16, 48}, 4, 12, 4, false},
        {"left trousers", {0, 48}, 4, 12, 4, true},
    }};
}

QRect FrontOf(const Box& box) {
    return {box.corner + QPoint(box.depth, box.depth), QSize(box.width, box.height)};
}

QRect BackOf(const Box& box) {
    return {box.corner + QPoint(2 * box.depth + box.width, box.depth),
            QSize(box.width, box.height)};
}

// A colour of its own for each face: boxes apart in red, front and back in
// green; the column a face starts with is darker, to tell it from its mirror.
QRgb FaceColour(int box, bool back, bool edge = false) {
    return qRgb(40 + 17 * box, back ? 200 : 90, edge ? 20 : 140);
}
// Faces the view must never show: tops, bottoms and sides.
constexpr QRgb kHiddenFace = 0xff'ff'00'ff;

// A skin with arms `arm` wide whose every front and back face has its colour,
// an overlay's on its upper half only, so the base shows below it.
QImage PaintedSkin(int arm) {
    QImage skin(64, 64, QImage::Format_ARGB32);
    skin.fill(Qt::transparent);
    QPainter painter(&skin);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const auto boxes = Boxes(arm);
    for (int i = 0; i < int(boxes.size()); ++i) {
        const Box& box = boxes[i];
        const QRect all(box.corner, QSize(2 * (box.depth + box.width), box.depth + box.height));
        painter.fillRect(all, box.overlay ? Qt::transparent : QColor(kHiddenFace));
        for (const bool back : {false, true}) {
            QRect face = back ? BackOf(box) : FrontOf(box);
            if (box.overlay) {
                face.setHeight(face.height() / 2);
            }
            painter.fillRect(face, FaceColour(i, back));
            // Half transparent on the base, which the game draws opaque all
            // the same.
            const QRgb edge = FaceColour(i, back, true);
            painter.fillRect(QRect(face.topLeft(), QSize(1, face.height())),
                             box.overlay ? QColor(edge)
                                         : QColor(qRed(edge), qGreen(edge), qBlue(edge), 128));
        }
    }
    return skin;
}

// The skin at `scale` times its size, each pixel a block.
QImage Scaled(const QImage& image, int scale) {
    return image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 64x32 cape: its outer face (the box's front: the cape hangs facing
// away) in one colour, the rest in another.
QImage PaintedCape(const QSize& size, QRgb outer) {
    QImage cape(size, QImage::Format_ARGB32);
    cape.fill(kHiddenFace);
    QPainter painter(&cape);
    painter.fillRect(QRect(1, 1, 10, 16), outer);
    return cape;
}

// Where the drawing shows a box's face: its rectangle, in layout pixels.
struct Seen {
    int box;
    QRect at;
    bool back;
    // An old skin's left arm and leg: its right ones, mirrored.
    bool mirrored = false;
};

} // namespace

Q_DECLARE_METATYPE(SkinModel)
Q_DECLARE_METATYPE(TextureKind)

class TestWornView final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void facesAreWhereTheyAreWorn_data();
    void facesAreWhereTheyAreWorn();
    void hdTexturesDrawAsTheirStandardSize_data();
    void hdTexturesDrawAsTheirStandardSize();
    void capeShowsItsOuterFace_data();
    void capeShowsItsOuterFace();
    void unknownFilesHaveNoView_data();
    void unknownFilesHaveNoView();
};

void TestWornView::facesAreWhereTheyAreWorn_data() {
    TEST_COLUMNS(QByteArray, file, SkinModel, model, int, arm, bool, legacy, bool, hat, QSize,
                 textureSize);
    const QImage old = PaintedSkin(4).copy(0, 0, 64, 32);
    QTest::newRow("classic") << Png(PaintedSkin(4)) << SkinModel::Classic << 4 << false << true
                             << QSize(64, 64);
    QTest::newRow("slim") << Png(PaintedSkin(3)) << SkinModel::Slim << 3 << false << true
                          << QSize(64, 64);
    QTest::newRow("64x32") << Png(old) << SkinModel::Classic << 4 << true << true << QSize(64, 32);
    // The slim model came with the 64x64 layout: an old skin keeps its arms.
    QTest::newRow("64x32, slim asked")
        << Png(old) << SkinModel::Slim << 4 << true << true << QSize(64, 32);
    // Old skins often filled the hat layer with one colour, which the game
    // takes for no hat.
    QImage solidHat = old;
    QPainter(&solidHat).fillRect(QRect(32, 0, 32, 16), QColor(0xff'10'10'10));
    QTest::newRow("64x32, solid hat")
        << Png(solidHat) << SkinModel::Classic << 4 << true << false << QSize(64, 32);
    QTest::newRow("128x128") << Png(Scaled(PaintedSkin(4), 2)) << SkinModel::Classic << 4 << false
                             << true << QSize(64, 64);
}

void TestWornView::facesAreWhereTheyAreWorn() {
    TEST_FETCH(QByteArray, file, SkinModel, model, int, arm, bool, legacy, bool, hat, QSize,
               textureSize);
    const auto view = DrawWornView(file, TextureKind::Skin, model, 1.0);
    QVERIFY(view.has_value());
    // Two figures, 16 by 32 layout pixels, 2 CSS pixels to each, 6 CSS
    // pixels (3 layout pixels) apart, so the back starts at 19; beside the
    // texture with 8 CSS pixels between, all within the 201 by 65 pane.
    constexpr int kUnit = 2;
    const int backX = 19;
    QCOMPARE(view->drawing.size(), QSize(70, 64));
    QCOMPARE(view->drawingSize, view->drawing.size());
    QCOMPARE(view->textureSize, textureSize);
    QVERIFY(view->drawingSize.width() + 8 + view->textureSize.width() <= 201);
    QVERIFY(view->textureSize.height() <= 65);

    // Seen from the front the player's right is on the left; from behind,
    // the left. An old skin's left limbs are its right ones mirrored.
    enum {
        Head,
        Hat,
        Body,
        Jacket,
        RightArm,
        RightSleeve,
        LeftArm,
        LeftSleeve,
        RightLeg,
        RightTrousers,
        LeftLeg,
        LeftTrousers
    };
    const int leftArm = legacy ? RightArm : LeftArm;
    const int leftLeg = legacy ? RightLeg : LeftLeg;
    const QList<Seen> seen = {
        {Head, {4, 0, 8, 8}, false},
        {Body, {4, 8, 8, 12}, false},
        {RightArm, {4 - arm, 8, arm, 12}, false},
        {leftArm, {12, 8, arm, 12}, false, legacy},
        {RightLeg, {4, 20, 4, 12}, false},
        {leftLeg, {8, 20, 4, 12}, false, legacy},
        {Head, {backX + 4, 0, 8, 8}, true},
        {Body, {backX + 4, 8, 8, 12}, true},
        {leftArm, {backX + 4 - arm, 8, arm, 12}, true, legacy},
        {RightArm, {backX + 12, 8, arm, 12}, true},
        {leftLeg, {backX + 4, 20, 4, 12}, true, legacy},
        {RightLeg, {backX + 8, 20, 4, 12}, true},
    };

    const auto colourAt = [&view](int x, int y) {
        return view->drawing.pixel(x * kUnit, y * kUnit);
    };
    for (const Seen& part : seen) {
        const QString where = QStringLiteral("box %1 (%2) at %3,%4")
                                  .arg(part.box)
                                  .arg(part.back ? "back" : "front")
                                  .arg(part.at.x())
                                  .arg(part.at.y());
        const int low = part.at.bottom();
        // Below the overlay: the base, its first column darker (last, mirrored).
        QVERIFY2(colourAt(part.at.left() + part.at.width() / 2, low) ==
                     FaceColour(part.box, part.back),
                 qPrintable(where));
        QVERIFY2(colourAt(part.mirrored ? part.at.right() : part.at.left(), low) ==
                     FaceColour(part.box, part.back, true),
                 qPrintable(where));
        // Above: the overlay of the same box (the next one), where the file
        // has one; an old skin has only the hat.
        const int overlay = part.box + 1;
        const bool hasOverlay = part.box == Head ? hat : !legacy;
        QVERIFY2(
            colourAt(part.at.left() + part.at.width() / 2, part.at.top()) ==
                (hasOverlay ? FaceColour(overlay, part.back) : FaceColour(part.box, part.back)),
            qPrintable(where));
    }
    // Slim arms leave the figure's outer columns empty.
    for (const int x : {0, 15, backX, backX + 15}) {
        QCOMPARE(qAlpha(colourAt(x, 10)), arm == 3 ? 0 : 255);
    }
}

// An HD texture is the same drawing as its standard size, pixel for pixel,
// and a pane twice as dense draws each pixel twice as large.
void TestWornView::hdTexturesDrawAsTheirStandardSize_data() {
    TEST_COLUMNS(TextureKind, kind, QImage, texture, int, scale);
    QTest::newRow("skin 128") << TextureKind::Skin << PaintedSkin(4) << 2;
    QTest::newRow("skin 1024") << TextureKind::Skin << PaintedSkin(4) << 16;
    QTest::newRow("slim 256") << TextureKind::Skin << PaintedSkin(3) << 4;
    QTest::newRow("old skin 128x64") << TextureKind::Skin << PaintedSkin(4).copy(0, 0, 64, 32) << 2;
    QTest::newRow("cape 128x64") << TextureKind::Cape << PaintedCape({64, 32}, 0xff2040a0) << 2;
}

void TestWornView::hdTexturesDrawAsTheirStandardSize() {
    TEST_FETCH(TextureKind, kind, QImage, texture, int, scale);
    const auto standard = DrawWornView(Png(texture), kind, SkinModel::Slim, 1.0);
    const auto hd = DrawWornView(Png(Scaled(texture, scale)), kind, SkinModel::Slim, 1.0);
    const auto dense = DrawWornView(Png(texture), kind, SkinModel::Slim, 2.0);
    QVERIFY(standard && hd && dense);
    QVERIFY(hd->drawing == standard->drawing);
    QCOMPARE(hd->textureSize, standard->textureSize);
    QVERIFY(dense->drawing == Scaled(standard->drawing, 2));
    QCOMPARE(dense->drawingSize, standard->drawingSize);
}

void TestWornView::capeShowsItsOuterFace_data() {
    TEST_COLUMNS(QSize, size, QSize, textureSize);
    QTest::newRow("64x32") << QSize(64, 32) << QSize(128, 64);
    // The first capes' files held the cape alone.
    QTest::newRow("22x17") << QSize(22, 17) << QSize(66, 51);
}

void TestWornView::capeShowsItsOuterFace() {
    TEST_FETCH(QSize, size, QSize, textureSize);
    constexpr QRgb kOuter = 0xff2040a0;
    const auto view =
        DrawWornView(Png(PaintedCape(size, kOuter)), TextureKind::Cape, SkinModel::Classic, 1.0);
    QVERIFY(view.has_value());
    // 10 by 16, 4 CSS pixels to each: all of it the outer face.
    QCOMPARE(view->drawing.size(), QSize(40, 64));
    QImage expected(40, 64, view->drawing.format());
    expected.fill(kOuter);
    QVERIFY(view->drawing == expected);
    QCOMPARE(view->textureSize, textureSize);
    QVERIFY(view->drawingSize.width() + 8 + textureSize.width() <= 201);
}

void TestWornView::unknownFilesHaveNoView_data() {
    TEST_COLUMNS(QByteArray, file, TextureKind, kind);
    const QByteArray skin = Png(PaintedSkin(4));
    const auto blank = [](int width, int height) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(0xff808080);
        return image;
    };
    QTest::newRow("64x48") << Png(blank(64, 48)) << TextureKind::Skin;
    QTest::newRow("65x65") << Png(blank(65, 65)) << TextureKind::Skin;
    QTest::newRow("32x32") << Png(blank(32, 32)) << TextureKind::Skin;
    QTest::newRow("1088x1088, past the largest HD") << Png(blank(1088, 1088)) << TextureKind::Skin;
    QTest::newRow("a skin for a cape") << skin << TextureKind::Cape;
    QTest::newRow("22x17 skin") << Png(blank(22, 17)) << TextureKind::Skin;
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    PaintedSkin(4).convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG");
    QTest::newRow("JPEG 64x64") << jpeg << TextureKind::Skin;
    QTest::newRow("HTML") << QByteArray("<html><script>alert(1)</script></html>")
                          << TextureKind::Skin;
    QTest::newRow("empty") << QByteArray() << TextureKind::Skin;
    QTest::newRow("cut short") << skin.left(60) << TextureKind::Skin;
}

void TestWornView::unknownFilesHaveNoView() {
    TEST_FETCH(QByteArray, file, TextureKind, kind);
    QVERIFY(!DrawWornView(file, kind, SkinModel::Classic, 1.0).has_value());
}

QTEST_MAIN(TestWornView)
#include "tst_wornview.moc"
