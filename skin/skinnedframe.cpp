// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinnedframe.h"

#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/windowmanager.h"
#include "skin/skinstyle.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

namespace skin {
namespace {

// The window menu's items.
const char *const MinimiseText = "تصغير";
const char *const MaximiseText = "تكبير";
const char *const CloseText = "إغلاق";

// Drawn over a caption button that has no pressed picture of its own.
const QColor PressedShade(0, 0, 0, 70);

// The frame never gets smaller than this, so that the caption buttons keep
// clear of the caption strip's left end.
constexpr int MinimumClientWidth = 154;
constexpr int MinimumClientHeight = 1;

QFont captionFont(const Element &element, QFont font) {
    const LogFont *logFont = element.get<LogFont>(props::m_LogFont);
    if (!logFont || logFont->isZero()) {
        font.setBold(true);
        return font;
    }
    if (!logFont->faceName().isEmpty())
        font.setFamily(platform::familyForFace(QString::fromLatin1(logFont->faceName())));
    if (logFont->height() != 0)
        font.setPixelSize(qAbs(logFont->height()));
    if (logFont->weight() > 0)
        font.setWeight(QFont::Weight(qBound(1, logFont->weight(), 1000)));
    font.setItalic(logFont->italic());
    font.setUnderline(logFont->underline());
    return font;
}

} // namespace

SkinnedFrame::SkinnedFrame(std::shared_ptr<const SkinArt> art, QWidget *client)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), art_(std::move(art)), client_(client),
      margins_(art_->frameMargins()) {
    platform::setAccessibleRole(this, QAccessible::Window);
    const Qt::WindowFlags clientFlags = client->windowFlags();
    buttons_ = CaptionButtons::of(clientFlags);
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint;
    if (buttons_.contains(CaptionButton::Minimise))
        flags |= Qt::WindowMinimizeButtonHint;
    if (buttons_.contains(CaptionButton::Maximise))
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setObjectName(client->objectName() + QStringLiteral("Frame"));
    setWindowTitle(client->windowTitle());
    setWindowIcon(client->windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setMinimumSize(margins_.left() + margins_.right() + MinimumClientWidth,
                   margins_.top() + margins_.bottom() + MinimumClientHeight);

    const QRect clientGeometry = client->geometry();
    const bool wasVisible = client->isVisible();
    // The client keeps its window hints: they still tell which caption
    // buttons the window has.
    client->setParent(this, (clientFlags & ~Qt::WindowType_Mask) | Qt::Widget);
    client->installEventFilter(this);
    styleClient();

    setGeometry(clientGeometry.marginsAdded(margins_));
    layOut();
    client->show();

    auto *closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    auto *menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(menuKey, &QShortcut::activated, this, &SkinnedFrame::openSystemMenu);

    if (wasVisible)
        show();
}

SkinnedFrame::~SkinnedFrame() {
    // The controls go before the style they are drawn with.
    const QList<QWidget *> children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

void SkinnedFrame::setArt(std::shared_ptr<const SkinArt> art) {
    art_ = std::move(art);
    margins_ = art_->frameMargins();
    std::unique_ptr<SkinStyle> old = std::move(style_);
    styleClient();
    old.reset();
    layOut();
    update();
}

void SkinnedFrame::styleClient() {
    if (!client_)
        return;
    const ShortFlag *skinClient = art_->skin().settings.get<ShortFlag>(props::m_bSkinClientArea);
    if (skinClient && skinClient->value == 0)
        return;
    style_ = std::make_unique<SkinStyle>(art_);
    client_->setStyle(style_.get());
    const QList<QWidget *> controls = client_->findChildren<QWidget *>();
    for (QWidget *control : controls)
        control->setStyle(style_.get());
    client_->setPalette(style_->clientPalette(client_->palette()));
    client_->setAutoFillBackground(true);
}

void SkinnedFrame::layOut() {
    laidOut_ = FrameGeometry(art_->form(), margins_, buttons_, size());
    if (client_)
        client_->setGeometry(laidOut_.clientArea());
}

QMenu *SkinnedFrame::systemMenu() {
    if (menu_)
        return menu_;
    menu_ = new QMenu(this);
    if (hasButton(CaptionButton::Minimise))
        menu_->addAction(QString::fromUtf8(MinimiseText), this, &QWidget::showMinimized);
    if (hasButton(CaptionButton::Maximise))
        menu_->addAction(QString::fromUtf8(MaximiseText), this,
                         [this] { isMaximized() ? showNormal() : showMaximized(); });
    if (!menu_->isEmpty())
        menu_->addSeparator();
    QAction *close = menu_->addAction(QString::fromUtf8(CloseText), this, &QWidget::close);
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    close->setShortcutContext(Qt::WidgetShortcut);
    connect(menu_, &QMenu::aboutToHide, this, [this] { drag_.cancel(); });
    return menu_;
}

void SkinnedFrame::openSystemMenu() {
    QMenu *menu = systemMenu();
    const QRect button = buttonRect(CaptionButton::SystemMenu);
    const QPoint at = button.isNull() ? QPoint(margins_.left(), margins_.top())
                                      : QPoint(button.left(), margins_.top());
    menu->popup(mapToGlobal(at));
}

// Qt goes by what the window manager announced when it started, which a
// manager killed leaves behind: the move asked of nobody would then never
// happen. So the manager is asked for at each move and resize.
// A manager asked once the button is up would wait for a release that never
// comes, the window glued to the pointer: input held while a sound played,
// or a quick drag, is handled late. Such a drag is followed by hand instead.
bool SkinnedFrame::startSystemMove(const QPoint &pressPosition) {
    return windowHandle() && platform::windowManagerRunning(windowHandle()) &&
           platform::leftButtonHeld(windowHandle()) &&
           (platform::startWindowManagerMove(windowHandle(), pressPosition) ||
            windowHandle()->startSystemMove());
}

bool SkinnedFrame::startSystemResize(Qt::Edges edges) {
    return windowHandle() && platform::windowManagerRunning(windowHandle()) &&
           platform::leftButtonHeld(windowHandle()) && windowHandle()->startSystemResize(edges);
}

void SkinnedFrame::cancelSystemMoveResize() {
    if (windowHandle())
        platform::cancelWindowManagerMoveResize(windowHandle());
}

void SkinnedFrame::buttonClicked(CaptionButton button) {
    switch (button) {
    case CaptionButton::Close:
        close();
        break;
    case CaptionButton::Minimise:
        showMinimized();
        break;
    case CaptionButton::Maximise:
        isMaximized() ? showNormal() : showMaximized();
        break;
    case CaptionButton::SystemMenu:
        openSystemMenu();
        break;
    }
}

void SkinnedFrame::paintEvent(QPaintEvent *) {
    painted_ = true;
    QPainter painter(this);
    if (client_)
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(client_->geometry())));
    painter.fillRect(rect(), art_->frameColour());
    for (const FramePiece &piece : pieces())
        drawPiece(painter, piece);
}

void SkinnedFrame::drawPiece(QPainter &painter, const FramePiece &piece) const {
    const Element &element = *piece.element;
    if (piece.rect.isEmpty())
        return;
    if (FrameGeometry::isCaptionButton(element)) {
        drawCaptionButton(painter, piece);
        return;
    }
    if (element.kind != ElementKind::Static)
        return;
    if (const std::optional<qint32> back = element.integer(props::m_BackColor))
        if (const std::optional<QColor> fill = fillColour(*back))
            painter.fillRect(piece.rect, *fill);
    if (const std::optional<ImagePart> part = SkinArt::partOf(element, props::m_Background))
        art_->draw(painter, piece.rect, *part, blendFrom(element.integer(props::m_eBlendMode)),
                   &element);
    if (FrameGeometry::isCaptionText(element))
        drawCaptionText(painter, piece);
}

void SkinnedFrame::drawCaptionButton(QPainter &painter, const FramePiece &piece) const {
    const auto button = CaptionButton(*piece.element->type());
    if (!hasButton(button))
        return;
    const bool down = drag_.isDown(button);
    const char16_t *state = !isEnabled()                  ? props::m_Disabled
                            : down                        ? props::m_Pressed
                            : drag_.isHighlighted(button) ? props::m_Highlighted
                                                          : props::m_Normal;
    const std::optional<SkinArt::StatePicture> picture =
        SkinArt::statePicture(*piece.element, state);
    const bool borrowed = !picture || picture->borrowed;
    // Sunk by a pixel when held and no pressed picture of its own says how.
    const QPoint shift = down && borrowed ? QPoint(1, 1) : QPoint(0, 0);

    painter.save();
    painter.setClipRect(piece.rect, Qt::IntersectClip);
    if (picture) {
        art_->draw(painter, piece.rect.translated(shift), picture->part,
                   blendFrom(piece.element->integer(props::m_eBlendMode)));
    } else if (button == CaptionButton::SystemMenu) {
        // No picture of its own: the window's icon.
        const int side = qMin(16, qMin(piece.rect.width(), piece.rect.height()));
        const QPixmap icon =
            windowIcon().pixmap(QSize(side, side), painter.device()->devicePixelRatioF());
        const QSize size = icon.deviceIndependentSize().toSize();
        QRect place(QPoint(0, 0), size);
        place.moveCenter(piece.rect.center());
        painter.drawPixmap(place.translated(shift), icon);
    }
    if (down && borrowed)
        painter.fillRect(piece.rect, PressedShade);
    painter.restore();
}

void SkinnedFrame::drawCaptionText(QPainter &painter, const FramePiece &piece) const {
    const std::optional<TextSample> caption = captionSample(piece);
    if (!caption)
        return;
    const TextStyle style = piece.element->textStyle(props::m_TextStyle).value_or(TextStyle{});
    painter.save();
    painter.setFont(caption->font);
    painter.setPen(textColour(style.textColour));
    painter.drawText(caption->rect, caption->flags, caption->text);
    painter.restore();
}

std::optional<TextSample> SkinnedFrame::captionSample(const FramePiece &piece) const {
    const QString title = windowTitle();
    const QRect area = captionTextRect();
    if (title.isEmpty() || area.isEmpty())
        return std::nullopt;
    const TextStyle style = piece.element->textStyle(props::m_TextStyle).value_or(TextStyle{});
    const QFont font = captionFont(*piece.element, this->font());
    return TextSample{font, QFontMetrics(font).elidedText(title, Qt::ElideRight, area.width()),
                      area, int(alignmentFromFormat(style.format) | Qt::TextSingleLine)};
}

QList<TextSample> SkinnedFrame::textSamples() const {
    QList<TextSample> samples;
    for (const FramePiece &piece : pieces()) {
        if (FrameGeometry::isCaptionText(*piece.element))
            if (const std::optional<TextSample> caption = captionSample(piece))
                samples.append(*caption);
    }
    if (client_)
        samples.append(controlText(client_));
    return samples;
}

void SkinnedFrame::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!watchingScreen_ && windowHandle()) {
        watchingScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &SkinnedFrame::watchScreen);
        watchScreen(windowHandle()->screen());
    }
    if (painted_ || rehearsalQueued_)
        return;
    // The window system takes a while to map a new window and ask for its
    // contents; the text is made ready meanwhile, unless the paint came first.
    rehearsalQueued_ = true;
    QMetaObject::invokeMethod(this, "rehearseText", Qt::QueuedConnection);
}

void SkinnedFrame::watchScreen(QScreen *screen) {
    disconnect(screenWatch_);
    if (screen)
        screenWatch_ = connect(screen, &QScreen::availableGeometryChanged, this,
                               &SkinnedFrame::keepWithinReach);
}

// With no window manager nobody else moves a window that a smaller screen
// left outside it. Where a manager has moved it already, it is within reach
// and stays where the manager put it.
void SkinnedFrame::keepWithinReach() {
    if (!isVisible() || isMinimized() || !screen())
        return;
    const QRect available = screen()->availableGeometry();
    // Enough of the caption to take hold of, beside the caption buttons.
    const int reach = qMin(width(), 120);
    const QPoint kept(
        qBound(available.left() + reach - width(), x(), available.right() + 1 - reach),
        qBound(available.top(), y(), available.bottom() + 1 - margins_.top()));
    if (kept != pos())
        move(kept);
}

void SkinnedFrame::rehearseText() {
    if (!painted_)
        rehearse(textSamples(), devicePixelRatioF());
}

void SkinnedFrame::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layOut();
}

void SkinnedFrame::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    drag_.press(event->position().toPoint(), event->globalPosition().toPoint());
}

void SkinnedFrame::mouseMoveEvent(QMouseEvent *event) {
    drag_.move(event->position().toPoint(), event->globalPosition().toPoint(),
               event->buttons().testFlag(Qt::LeftButton));
}

void SkinnedFrame::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    drag_.release(event->position().toPoint(), event->globalPosition().toPoint());
}

void SkinnedFrame::mouseDoubleClickEvent(QMouseEvent *event) {
    const QPoint position = event->position().toPoint();
    if (laidOut_.buttonAt(position) == CaptionButton::SystemMenu) {
        close();
        return;
    }
    if (hitTest(position) == HtCaption && hasButton(CaptionButton::Maximise)) {
        buttonClicked(CaptionButton::Maximise);
        return;
    }
    mousePressEvent(event);
}

void SkinnedFrame::leaveEvent(QEvent *event) {
    QWidget::leaveEvent(event);
    drag_.leave();
    unsetCursor();
}

void SkinnedFrame::pointerOver(int hit) {
    switch (hit) {
    case HtLeft:
    case HtRight:
        setCursor(Qt::SizeHorCursor);
        break;
    case HtBottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case HtBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case HtBottomRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

bool SkinnedFrame::eventFilter(QObject *watched, QEvent *event) {
    if (watched == client_) {
        switch (event->type()) {
        case QEvent::Close:
            // The window closes as a whole, frame and all.
            event->ignore();
            close();
            return true;
        case QEvent::WindowTitleChange:
            setWindowTitle(client_->windowTitle());
            update();
            break;
        case QEvent::WindowIconChange:
            setWindowIcon(client_->windowIcon());
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace skin
