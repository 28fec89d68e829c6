// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/form.h"

#include "platform/accessibility.h"
#include "platform/allocator.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/iconfile.h"
#include "platform/runtimeerror.h"
#include "platform/twips.h"
#include "platform/windowhandles.h"

#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace platform {
namespace {

// The program's windows that are loaded. The program ends when the last of
// them has gone. Qt ends it too when its last window closes, but that end
// was seen to be lost (the main window closed while a letter still played,
// then the notification-area icon clicked), leaving the program running
// with no window at all; counting the windows themselves cannot lose it.
int loadedForms = 0;

} // namespace

QFont fontFrom(const FontSpec &stored) {
    QFont font(familyForFace(QString::fromUtf8(stored.face)));
    font.setPointSizeF(stored.points);
    font.setWeight(static_cast<QFont::Weight>(stored.weight));
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikeout);
    return font;
}

QCursor cursorFor(MousePointer pointer) {
    switch (pointer) {
    case MousePointer::ArrowQuestion:
        return QCursor(Qt::WhatsThisCursor);
    case MousePointer::NoDrop:
        return QCursor(Qt::ForbiddenCursor);
    case MousePointer::Default:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

const char ProgramIconFile[] = ":/snomel/snomel.ico";

QImage programIconImage() {
    static const QImage image = [] {
        QFile file(QString::fromLatin1(ProgramIconFile));
        // A resource: mapped, not copied.
        const uchar *bytes = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
        QImage read = bytes ? readIconFileImage(QByteArrayView(bytes, file.size())) : QImage();
        return read.isNull() ? QImage(QString::fromLatin1(ProgramIconFile)) : read;
    }();
    return image;
}

QIcon programIcon() {
    static const QIcon icon(QPixmap::fromImage(programIconImage()));
    return icon;
}

Form::Form(const FormSpec &layout, QObject *parent) : QObject(parent), layout_(layout) {}

Form::~Form() {
    delete topLevel();
}

QWidget *Form::topLevel() const {
    return window_ ? window_->window() : nullptr;
}

void Form::Load() {
    if (isLoaded())
        return;
    auto *window = new QWidget(nullptr, Qt::Window);
    // Before anything that makes Qt describe the window to assistive
    // technology: Qt keeps the first description it makes.
    setAccessibleRole(window, QAccessible::Window);
    window->setObjectName(QString::fromUtf8(metaObject()->className()));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromUtf8(layout_.caption));
    window->setWindowIcon(programIcon());
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (layout_.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (layout_.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    window->setWindowFlags(flags);
    window->resize(twips::toPixels(layout_.clientWidth), twips::toPixels(layout_.clientHeight));
    window_ = window;
    ++loadedForms;
    connect(window, &QObject::destroyed, this, [this] {
        returnFreedMemorySoon();
        emit unloaded();
        if (--loadedForms == 0)
            QCoreApplication::quit(); // only while the program's event loop runs
    });

    createControls();
    setStoredProperties();
    describeFromTable();
    describeControls();
    connectHandlers();
    invokeHandler([this] { Form_Load(); });
    emit loaded();
}

void Form::Show() {
    const bool wasLoaded = isLoaded();
    Load();
    QWidget *top = topLevel();
    if (!wasLoaded) {
        centre();
        if (const QList<QWidget *> order = tabOrder(); !order.isEmpty())
            order.first()->setFocus();
    }
    top->showNormal();
    top->raise();
    top->activateWindow();
}

void Form::centre() {
    QWidget *top = topLevel();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    top->move(available.center() - QPoint(top->width() / 2, top->height() / 2));
}

HWND Form::hWnd() const {
    if (!isLoaded())
        raise(errors::InvalidWindowHandle, QStringLiteral("The window is not loaded"));
    return handleOf(topLevel());
}

QWidget *Form::control(const char *name) const {
    if (!window_)
        return nullptr;
    const QString wanted = QString::fromUtf8(name);
    if (window_->objectName() == wanted)
        return window_.data();
    return window_->findChild<QWidget *>(wanted);
}

QList<QWidget *> Form::tabOrder() const {
    QList<std::pair<int, QWidget *>> indexed;
    for (const ControlSpec &row : layout_.controls) {
        QWidget *widget = control(row.name);
        if (row.tabIndex >= 0 && widget && widget->focusPolicy() != Qt::NoFocus)
            indexed.append({row.tabIndex, widget});
    }
    std::sort(indexed.begin(), indexed.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<QWidget *> order;
    for (const auto &entry : indexed)
        order.append(entry.second);
    return order;
}

QWidget *Form::createCustomControl(const ControlSpec &row, QWidget *) {
    raise(errors::InternalError,
          QStringLiteral("No control of kind Custom named %1").arg(QString::fromUtf8(row.name)));
}

void Form::createControls() {
    for (const ControlSpec &row : layout_.controls) {
        QWidget *container = window_.data();
        if (row.container) {
            container = control(row.container);
            if (auto *box = qobject_cast<PictureBox *>(container))
                container = box->client();
        }
        QWidget *widget = nullptr;
        switch (row.kind) {
        case ControlKind::PushButton: {
            auto *button = new PushButton(container);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::Frame: {
            auto *frame = new QGroupBox(container);
            frame->setFocusPolicy(Qt::NoFocus);
            widget = frame;
            break;
        }
        case ControlKind::PictureBox:
            widget = new PictureBox(container);
            break;
        case ControlKind::Image:
            widget = new ImageControl(container);
            break;
        case ControlKind::Custom:
            widget = createCustomControl(row, container);
            break;
        }
        widget->setObjectName(QString::fromUtf8(row.name));
        if (row.width > 0 || row.height > 0)
            widget->setGeometry(twips::toPixels(row.left, row.top, row.width, row.height));
        if (row.caption) {
            const QString caption = QString::fromUtf8(row.caption);
            if (auto *button = qobject_cast<QPushButton *>(widget))
                button->setText(caption);
            else if (auto *frame = qobject_cast<QGroupBox *>(widget))
                frame->setTitle(caption);
            if (!caption.isEmpty())
                widget->setAccessibleName(caption);
        }
        if (row.font)
            widget->setFont(fontFrom(*row.font));
        if (row.toolTip) {
            widget->setToolTip(QString::fromUtf8(row.toolTip));
            widget->setAccessibleDescription(widget->toolTip());
        }
        if (row.pointer != MousePointer::Default)
            widget->setCursor(cursorFor(row.pointer));
        widget->show();
    }
    const QList<QWidget *> order = tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form::describeFromTable() {
    for (const AccessibleText &text : layout_.accessibleTexts) {
        QWidget *widget = control(text.control);
        if (!widget)
            raise(errors::InternalError, QStringLiteral("No control named %1 to describe")
                                             .arg(QString::fromUtf8(text.control)));
        if (text.name)
            widget->setAccessibleName(QString::fromUtf8(text.name));
        if (text.description)
            widget->setAccessibleDescription(QString::fromUtf8(text.description));
    }
}

} // namespace platform
