// SPDX-License-Identifier: GPL-3.0-or-later
// The text a skinned window rehearses before its first paint is the text it
// then paints, in the same fonts; and rehearsing paints nothing of it.
#include "skin/textrehearsal.h"
#include "tests/skin_engine/skintestform.h"

#include <QFontInfo>
#include <QPaintEngine>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextItem>

namespace {

struct DrawnText {
    QString text;
    QFont font;
};

// A paint device that keeps the text drawn on it and draws nothing.
class TextRecorder : public QPaintDevice {
public:
    QList<DrawnText> drawn;

    QPaintEngine *paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder *owner) : QPaintEngine(AllFeatures), owner_(owner) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override {
            owner_->drawn.append({item.text(), item.font()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder *owner_;
    };

    mutable Engine engine_{this};
};

bool sameFace(const QFont &a, const QFont &b) {
    const QFontInfo x(a), y(b);
    return x.family() == y.family() && x.pixelSize() == y.pixelSize() && x.bold() == y.bold() &&
           x.italic() == y.italic();
}

QStringList texts(const QList<skin::TextSample> &samples) {
    QStringList list;
    for (const skin::TextSample &sample : samples)
        list << sample.text;
    return list;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestTextRehearsal : public QObject {
    Q_OBJECT
private slots:
    // Every text the window paints, caption and controls, was rehearsed in
    // the font it is painted in; nothing hidden or empty is.
    void rehearsesWhatTheWindowPaints() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Load();
        skin::SkinnedFrame *frame = form.frame();
        QVERIFY(frame);
        auto *hidden = new QPushButton(QStringLiteral("مخفي"), frame->client());
        hidden->hide();

        const QList<skin::TextSample> samples = frame->textSamples();
        QCOMPARE(texts(samples),
                 (QStringList{QStringLiteral("نافذة"), QStringLiteral("أ"), QStringLiteral("ب")}));

        TextRecorder recorder;
        frame->render(&recorder);
        QCOMPARE(recorder.drawn.size(), samples.size());
        for (const DrawnText &drawn : std::as_const(recorder.drawn)) {
            const bool rehearsed =
                std::any_of(samples.begin(), samples.end(), [&](const skin::TextSample &sample) {
                    return sample.text == drawn.text && sameFace(sample.font, drawn.font);
                });
            QVERIFY2(rehearsed,
                     qPrintable(drawn.text + QLatin1String(" in ") + drawn.font.toString()));
        }
        // The caption is not in the controls' font: the check above tells
        // the two apart.
        QVERIFY(!sameFace(samples.first().font, samples.last().font));
    }

    // Shown, the window rehearses once without painting anything, and its
    // first paint then looks as it would have without.
    void rehearsingPaintsNothing() {
        testing::SkinTestForm rehearsed(testing::MinimisableSpec);
        rehearsed.Load();
        PaintCounter counter;
        const QList<QWidget *> widgets = rehearsed.frame()->findChildren<QWidget *>();
        for (QWidget *widget : widgets)
            widget->installEventFilter(&counter);
        rehearsed.frame()->installEventFilter(&counter);
        skin::rehearse(rehearsed.frame()->textSamples(), rehearsed.frame()->devicePixelRatioF());
        QCOMPARE(counter.paints, 0);

        testing::SkinTestForm plain(testing::MinimisableSpec);
        plain.Load();
        QCOMPARE(testing::grabImage(rehearsed.frame()), testing::grabImage(plain.frame()));
    }

    // With no text, or no room to draw one in, rehearsing makes no scratch
    // image: a painter on an empty one would only warn.
    void nothingToRehearse() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        skin::rehearse({}, 1.0);
        skin::rehearse({{QFont(), QStringLiteral("أ"), QRect(), 0}}, 2.0);
    }
};

QTEST_MAIN(TestTextRehearsal)
#include "tst_textrehearsal.moc"
