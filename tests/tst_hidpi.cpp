// The four windows on a scaled screen (QT_SCALE_FACTOR, run once per scale):
// the native window is the layout's size times the scale, every control
// shows where the layout puts it, text fits its control as it does unscaled,
// and the skin tile's pixels become blocks instead of being blurred.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "MakeWindow.h"
#include "OptionButton.h"
#include "RecordingHost.h"
#include "RecordingPane.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowSuite.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

qreal RequestedScale() {
    bool ok = false;
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? scale : 1.0;
}

// What the window system shows of the window, in device pixels.
QImage Screenshot(QWidget* surface) {
    return surface->screen()
        ->grabWindow(surface->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The window drawn as it looks unscaled, in logical pixels.
QImage Unscaled(QWidget* surface) {
    QImage image(surface->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::black);
    surface->render(&image);
    return image;
}

QRgb MeanColour(const QImage& image, const QRect& area) {
    qint64 r = 0, g = 0, b = 0, n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++n;
        }
    }
    return n == 0 ? 0 : qRgb(int(r / n), int(g / n), int(b / n));
}

int ColourDistance(QRgb a, QRgb b) {
    return qMax(qAbs(qRed(a) - qRed(b)),
                qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}

// The bounds of what differs by more than a quarter of the range from the
// colour at the top left of `area`, in `image`'s pixels.
QRect InkBounds(const QImage& image, const QRect& area) {
    const QRgb ground = image.pixel(area.topLeft());
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (ColourDistance(image.pixel(x, y), ground) > 64) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// Whether each edge of `scaled` (device pixels) lies within one logical
// pixel of `unscaled`'s (logical pixels) times the scale.
bool InkWithin(const QRect& scaled, const QRect& unscaled, qreal scale) {
    const auto near = [scale](int device, int logical) {
        return qAbs(device - logical * scale) <= scale;
    };
    return !scaled.isEmpty() && near(scaled.left(), unscaled.left()) &&
           near(scaled.top(), unscaled.top()) && near(scaled.right() + 1, unscaled.right() + 1) &&
           near(scaled.bottom() + 1, unscaled.bottom() + 1);
}

// A logical rectangle in device pixels: the whole device pixels inside it.
QRect DeviceInside(const QRect& logical, qreal scale) {
    const int left = int(std::ceil(logical.x() * scale));
    const int top = int(std::ceil(logical.y() * scale));
    const int right = int(std::floor((logical.x() + logical.width()) * scale));
    const int bottom = int(std::floor((logical.y() + logical.height()) * scale));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Where ink falls when `control` is drawn black on white at `scale`, in
// logical pixels; the control is drawn larger than its own rectangle, so
// text that would run out of it shows.
QRectF InkBox(QWidget* control, qreal scale) {
    QImage image((QSizeF(control->size()) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    control->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (ColourDistance(image.pixel(x, y), qRgb(255, 255, 255)) > 96) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    if (right < 0) {
        return {};
    }
    return QRectF(left / scale, top / scale, (right + 1 - left) / scale,
                  (bottom + 1 - top) / scale);
}

// A copy of a label or option button in black on white, with room to run
// over: a label grows downwards (it wraps at its own width), an option
// button to the right.
std::unique_ptr<QWidget> RoomyCopy(const QWidget* control) {
    QPalette blackOnWhite;
    blackOnWhite.setColor(QPalette::WindowText, Qt::black);
    blackOnWhite.setColor(QPalette::Window, Qt::white);
    if (auto* label = qobject_cast<const ClickLabel*>(control)) {
        auto copy = std::make_unique<ClickLabel>();
        copy->setFont(label->font());
        copy->setText(label->text());
        copy->setTextFormat(label->textFormat());
        copy->setWordWrap(label->wordWrap());
        copy->setAlignment(label->alignment());
        copy->setPalette(blackOnWhite);
        copy->resize(label->width(), label->height() * 3 + 40);
        return copy;
    }
    auto* option = qobject_cast<const QRadioButton*>(control);
    auto copy = std::make_unique<QRadioButton>(option->text());
    copy->setFont(option->font());
    copy->setPalette(blackOnWhite);
    copy->resize(option->width() * 3 + 40, option->height());
    return copy;
}

} // namespace

using namespace WindowInput;

class TestHiDpi final : public QObject, WindowSuite<FramedWindow> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void windowsAreTheLayoutTimesTheScale_data();
    void windowsAreTheLayoutTimesTheScale();
    void controlsKeepTheirPlace_data();
    void controlsKeepTheirPlace();
    void textFitsAsUnscaled_data();
    void textFitsAsUnscaled();
    void skinTileIsNotBlurred();

private:
    // Shows the window and waits until it is exposed; for a screenshot
    // (`screenshot`), also paints it onto the screen.
    QWidget* Load(WindowName name, bool screenshot);

    qreal scale_ = 1;
};

void TestHiDpi::initTestCase() {
    InstallCjkFontFallbacks();
    scale_ = RequestedScale();
    qInfo("scale %g", scale_);
}

void TestHiDpi::cleanup() {
    Close();
}

QWidget* TestHiDpi::Load(WindowName name, bool screenshot) {
    window_ = MakeWindow(name, *host_, *panes_);
    window_->Show();
    QWidget* surface = window_->Surface();
    if (!QTest::qWaitForWindowExposed(surface)) {
        qFatal("window not exposed");
    }
    if (screenshot) {
        // Painted and handed to the X server now, on the connection the
        // screenshot is taken over, which the server serves in order.
        surface->repaint();
    }
    return surface;
}

void TestHiDpi::windowsAreTheLayoutTimesTheScale_data() {
    AddWindowRows();
}

// Its logical size is tst_layouts'; on the screen it takes that many device
// pixels times the scale.
void TestHiDpi::windowsAreTheLayoutTimesTheScale() {
    TEST_FETCH(int, window);
    QWidget* surface = Load(WindowName(window), true);
    QCOMPARE(surface->devicePixelRatio(), scale_);
    const QImage shot = Screenshot(surface);
    QVERIFY(qAbs(shot.width() - surface->width() * scale_) <= 1.0);
    QVERIFY(qAbs(shot.height() - surface->height() * scale_) <= 1.0);
}

void TestHiDpi::controlsKeepTheirPlace_data() {
    windowsAreTheLayoutTimesTheScale_data();
}

// Each control's device rectangle on the screen (its logical one times the
// scale) shows on average what its logical rectangle shows unscaled. A
// control drawn out of place or out of proportion changes the colours there.
void TestHiDpi::controlsKeepTheirPlace() {
    TEST_FETCH(int, window);
    QWidget* surface = Load(WindowName(window), true);
    const QImage shot = Screenshot(surface);
    const QImage plain = Unscaled(surface);
    // The greetings of the skin fetcher and the downloader (Label1) are bold
    // 24 pt, and the fallback CJK face has no bold of its own: FreeType's
    // made-up bold comes out thinner at some device sizes (at scale 2 its
    // ink is about 76% of the unscaled ink's area), so their mean colour is
    // off though the text stands in place. For them the place is where the
    // ink lies: each edge of it within one logical pixel of the unscaled
    // one's, times the scale.
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const bool madeUpBold = tag == QLatin1String("skin") || tag == QLatin1String("download");
    int compared = 0;
    QStringList astray;
    const auto controls = surface->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QRect logical(control->mapTo(surface, QPoint()), control->size());
        const QRect visible = logical.intersected(surface->rect()).adjusted(1, 1, -1, -1);
        if (!control->isVisible() || visible.width() < 4 || visible.height() < 4) {
            continue;
        }
        const QRgb scaled = MeanColour(shot, DeviceInside(visible, scale_));
        const QRgb unscaled = MeanColour(plain, visible);
        const bool inkInPlace = madeUpBold && control->objectName() == QLatin1String("Label1") &&
                                InkWithin(InkBounds(shot, DeviceInside(visible, scale_)),
                                          InkBounds(plain, visible), scale_);
        if (ColourDistance(scaled, unscaled) > 16 && !inkInPlace) {
            astray << QStringLiteral("%1: %2 scaled, %3 unscaled")
                          .arg(control->objectName(), QColor(scaled).name(),
                               QColor(unscaled).name());
        }
        ++compared;
    }
    QVERIFY(compared >= 8);
    QCOMPARE(astray, QStringList());
}

void TestHiDpi::textFitsAsUnscaled_data() {
    TEST_COLUMNS(int, window, QString, control);
    // Every label with text and every option button of every window.
    for (WindowName name :
         {WindowName::Form1, WindowName::skin, WindowName::effect, WindowName::download}) {
        RecordingHost host;
        RecordingPaneSource panes;
        auto window = MakeWindow(name, host, panes);
        window->Show();
        const auto controls = window->Surface()->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            auto* label = qobject_cast<ClickLabel*>(control);
            if ((label != nullptr && !label->text().isEmpty()) ||
                qobject_cast<OptionButton*>(control) != nullptr) {
                QTest::addRow("%s %s", qPrintable(window->Surface()->objectName()),
                              qPrintable(control->objectName()))
                    << int(name) << control->objectName();
            }
        }
        window.reset();
        DestroyUnloadedWidgets();
    }
}

// Drawn at the screen's scale, a control's text reaches no further past its
// edges than it does unscaled: a fallback font that grows at a fractional
// scale would wrap a caption onto a line the label has no room for.
void TestHiDpi::textFitsAsUnscaled() {
    TEST_FETCH(int, window, QString, control);
    // The text is drawn here, not read from the screen.
    QWidget* surface = Load(WindowName(window), false);
    QWidget* original = Named(surface, control);
    QVERIFY(original != nullptr);
    const auto copy = RoomyCopy(original);
    const QRectF scaled = InkBox(copy.get(), scale_);
    const QRectF unscaled = InkBox(copy.get(), 1.0);
    QVERIFY(!scaled.isEmpty());
    QVERIFY(!unscaled.isEmpty());
    const qreal slack = 1.0;
    const auto overRight = [&](const QRectF& ink) {
        return qMax(0.0, ink.right() - original->width());
    };
    const auto overBottom = [&](const QRectF& ink) {
        return qMax(0.0, ink.bottom() - original->height());
    };
    QVERIFY2(overRight(scaled) <= overRight(unscaled) + slack,
             qPrintable(QStringLiteral("ink to x %1 scaled, %2 unscaled, width %3")
                            .arg(scaled.right())
                            .arg(unscaled.right())
                            .arg(original->width())));
    QVERIFY2(overBottom(scaled) <= overBottom(unscaled) + slack,
             qPrintable(QStringLiteral("ink to y %1 scaled, %2 unscaled, height %3")
                            .arg(scaled.bottom())
                            .arg(unscaled.bottom())
                            .arg(original->height())));
}

// Every device pixel of the tile on the screen is a pixel of the bitmap from
// right around it, never a mix of neighbours; at a whole scale each bitmap
// pixel is a square block of identical device pixels.
void TestHiDpi::skinTileIsNotBlurred() {
    QWidget* surface = Load(WindowName::Form1, true);
    const QImage bitmap =
        QImage(QStringLiteral(SKIN_TILE_FILE)).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!bitmap.isNull());
    auto* tile = Named(surface, QStringLiteral("Image1"));
    const QPoint origin = tile->mapTo(surface, QPoint());
    const QImage shot = Screenshot(surface);
    const QRect device = DeviceInside(QRect(origin, bitmap.size()), scale_);

    int mixed = 0;
    for (int y = device.top(); y < device.bottom(); ++y) {
        for (int x = device.left(); x < device.right(); ++x) {
            const QPointF source((x + 0.5) / scale_ - origin.x(), (y + 0.5) / scale_ - origin.y());
            const QRgb seen = shot.pixel(x, y);
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const QPoint near(int(source.x()) + dx, int(source.y()) + dy);
                    found = bitmap.rect().contains(near) && bitmap.pixel(near) == seen;
                }
            }
            mixed += found ? 0 : 1;
        }
    }
    QVERIFY2(mixed == 0,
             qPrintable(QStringLiteral("%1 device pixels mix bitmap pixels").arg(mixed)));

    const int whole = qRound(scale_);
    if (qFuzzyCompare(scale_, qreal(whole)) && whole > 1) {
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                const QPoint block = device.topLeft() + QPoint(x, y) * whole;
                for (int i = 0; i < whole * whole; ++i) {
                    QCOMPARE(shot.pixel(block + QPoint(i % whole, i / whole)), bitmap.pixel(x, y));
                }
            }
        }
    }
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
